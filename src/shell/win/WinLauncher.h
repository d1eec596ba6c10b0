#pragma once

#include <windows.h>

#include <string>

#include "shell/Launcher.h"
#include "shell/win/ShellPlatform.h"

namespace vt {

// The launcher over ShellExecuteW and the HTML Help viewer.
//
//     WinLauncher launcher;                         // program folder of the running exe
//     launcher.SetApplicationWindow(mainWindow);    // once the main window exists
//
// Documents and links are owned by the application window (any message the shell shows about
// them), programs by no window, help by the desktop window.
class WinLauncher final : public Launcher {
public:
    WinLauncher() noexcept;
    // For tests: other platform calls, another program folder.
    WinLauncher(ShellPlatform& platform, std::wstring programFolder) noexcept;

    void SetApplicationWindow(HWND window) noexcept { applicationWindow_ = window; }

    void OpenDocument(const std::wstring& file, const std::wstring& parameters) override;
    void StartProgram(const std::wstring& file, const std::wstring& parameters) override;
    void ShowHelpTopic(const std::wstring& helpFile, const std::wstring& topic) override;
    void OpenLink(const std::wstring& target) override;
    std::wstring ProgramFolder() const override;

private:
    void Open(HWND owner, const std::wstring& file, const std::wstring& parameters) noexcept;

    WinShellPlatform ownPlatform_;
    ShellPlatform& platform_;
    std::wstring programFolder_;
    HWND applicationWindow_ = nullptr;
};

}  // namespace vt
