#pragma once

#include <windows.h>

namespace vt {

// The two platform calls behind the launcher, so that tests can see exactly what is asked for.
class ShellPlatform {
public:
    virtual ~ShellPlatform() = default;
    // ShellExecuteW; the result is of no interest to the program.
    virtual void Execute(HWND owner, const wchar_t* verb, const wchar_t* file,
                         const wchar_t* parameters, const wchar_t* directory,
                         int showCommand) noexcept = 0;
    // HtmlHelpW, or nothing when the help viewer cannot be loaded.
    virtual void ShowHtmlHelp(HWND caller, const wchar_t* path, UINT command,
                              DWORD_PTR data) noexcept = 0;
};

// The real calls. The help viewer is loaded on first use from the system folder only, never from
// the program folder or the current directory, and stays loaded.
class WinShellPlatform final : public ShellPlatform {
public:
    void Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                 const wchar_t* directory, int showCommand) noexcept override;
    void ShowHtmlHelp(HWND caller, const wchar_t* path, UINT command,
                      DWORD_PTR data) noexcept override;
};

// The help viewer's entry point, loaded once; null when it cannot be loaded.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
HtmlHelpFunction LoadHtmlHelp() noexcept;

}  // namespace vt
