#pragma once

#include <string>

namespace vt {

// Hands documents, programs, web pages and help topics to the platform. Every call is
// fire-and-forget: it does not wait, ignores the result and never throws.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Opened by the shell with the application's window as owner; empty parameters pass none.
    virtual void OpenDocument(const std::wstring& file, const std::wstring& parameters) = 0;
    // Started by the shell with no owner window; empty parameters pass none.
    virtual void StartProgram(const std::wstring& file, const std::wstring& parameters) = 0;
    // `helpFile` without folder: the viewer is given ProgramFolder() + helpFile + "::" + topic +
    // ">HelpWindow", with the desktop window as caller.
    virtual void ShowHelpTopic(const std::wstring& helpFile, const std::wstring& topic) = 0;
    // A file name or a web address, opened without parameters.
    virtual void OpenLink(const std::wstring& target) = 0;

    // The running executable's folder with a trailing separator.
    virtual std::wstring ProgramFolder() const = 0;
};

}  // namespace vt
