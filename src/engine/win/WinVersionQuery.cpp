#include "engine/win/WinVersionQuery.h"

#include <cstring>

#include "engine/WindowsVersion.h"

namespace vt {

static_assert(sizeof(OSVERSIONINFOEXW) == 284 && sizeof(OSVERSIONINFOW) == 276);

std::int32_t GetWindowsVersion(VersionQuery query) noexcept {
    try {
        OSVERSIONINFOEXW info;
        std::memset(&info, 0, sizeof info);
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
        if (!query(reinterpret_cast<LPOSVERSIONINFOW>(&info))) {
            // Systems without the extended structure: the product type stays 0.
            std::memset(&info, 0, sizeof(OSVERSIONINFOW));
            info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
            query(reinterpret_cast<LPOSVERSIONINFOW>(&info));
        }
        return ClassifyWindowsVersion(info.dwMajorVersion, info.dwMinorVersion, info.wProductType);
    } catch (...) {
        return winver::kNone;
    }
}

}  // namespace vt
