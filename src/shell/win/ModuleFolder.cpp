#include "shell/win/ModuleFolder.h"

namespace vt {

std::wstring ModuleFolder(HMODULE module, ModuleFileNameReader read) noexcept {
    try {
        // The call truncates silently when the buffer is too small, so grow until it fits.
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = read(module, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0) {
                return {};
            }
            if (length < path.size()) {
                path.resize(length);
                break;
            }
            if (path.size() >= 0x10000) {
                return {};
            }
            path.resize(path.size() * 2);
        }
        const std::size_t separator = path.find_last_of(L"\\/");
        return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
    } catch (...) {
        return {};
    }
}

}  // namespace vt
