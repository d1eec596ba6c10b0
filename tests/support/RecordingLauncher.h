#pragma once

#include <string>
#include <utility>
#include <vector>

#include "shell/Launcher.h"

namespace vt::testing {

// Records every launch as one line: "<operation> <file>|<parameters>", so a test compares a
// whole sequence at once.
class RecordingLauncher final : public Launcher {
public:
    explicit RecordingLauncher(std::vector<std::wstring>& events,
                               std::wstring folder = L"C:\\Program Files\\Velotune\\")
        : events_(events), folder_(std::move(folder)) {}

    void OpenDocument(const std::wstring& file, const std::wstring& parameters) override {
        events_.push_back(L"document " + file + L"|" + parameters);
    }
    void StartProgram(const std::wstring& file, const std::wstring& parameters) override {
        events_.push_back(L"program " + file + L"|" + parameters);
    }
    void ShowHelpTopic(const std::wstring& helpFile, const std::wstring& topic) override {
        events_.push_back(L"help " + helpFile + L"|" + topic);
    }
    void OpenLink(const std::wstring& target) override { events_.push_back(L"link " + target); }
    std::wstring ProgramFolder() const override { return folder_; }

private:
    std::vector<std::wstring>& events_;
    std::wstring folder_;
};

}  // namespace vt::testing
