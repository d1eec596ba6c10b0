#include "shell/win/SystemLibrary.h"

#include <string>

namespace vt {

HMODULE LoadSystemLibrary(const wchar_t* name) noexcept {
    if (HMODULE module = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return module;
    }
    // Windows 7 without the loader update refuses the flag: name the file by its full path.
    if (::GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    try {
        std::wstring path(MAX_PATH, L'\0');
        const UINT length = ::GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
        if (length == 0 || length >= path.size()) {
            return nullptr;
        }
        path.resize(length);
        path += L'\\';
        path += name;
        return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace vt
