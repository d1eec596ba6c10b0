#include "shell/win/ShellPlatform.h"

#include <shellapi.h>

#include "shell/win/SystemLibrary.h"

namespace vt {
namespace {

HtmlHelpFunction LoadHtmlHelpOnce() noexcept {
    try {
        HMODULE module = LoadSystemLibrary(L"hhctrl.ocx");
        if (module == nullptr) {
            return nullptr;
        }
        return reinterpret_cast<HtmlHelpFunction>(
            reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")));
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

HtmlHelpFunction LoadHtmlHelp() noexcept {
    static const HtmlHelpFunction function = LoadHtmlHelpOnce();
    return function;
}

void WinShellPlatform::Execute(HWND owner, const wchar_t* verb, const wchar_t* file,
                               const wchar_t* parameters, const wchar_t* directory,
                               int showCommand) noexcept {
    static const auto execute =
        SystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (execute != nullptr) {
        execute(owner, verb, file, parameters, directory, showCommand);
    }
}

void WinShellPlatform::ShowHtmlHelp(HWND caller, const wchar_t* path, UINT command,
                                    DWORD_PTR data) noexcept {
    if (const HtmlHelpFunction function = LoadHtmlHelp()) {
        function(caller, path, command, data);
    }
}

}  // namespace vt
