#include "shell/win/ShellPlatform.h"

#include <shellapi.h>

#include <string>

namespace vt {
namespace {

HMODULE LoadFromSystemFolder(const wchar_t* name) {
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return module;
    }
    // Windows 7 without the loader update refuses the flag: name the file by its full path.
    if (GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) {
        return nullptr;
    }
    path.resize(length);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HtmlHelpFunction LoadHtmlHelpOnce() noexcept {
    try {
        HMODULE module = LoadFromSystemFolder(L"hhctrl.ocx");
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
    ShellExecuteW(owner, verb, file, parameters, directory, showCommand);
}

void WinShellPlatform::ShowHtmlHelp(HWND caller, const wchar_t* path, UINT command,
                                    DWORD_PTR data) noexcept {
    if (const HtmlHelpFunction function = LoadHtmlHelp()) {
        function(caller, path, command, data);
    }
}

}  // namespace vt
