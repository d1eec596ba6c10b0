#include "app/win/RunOnce.h"

#include <windows.h>

namespace vt {

bool FindRunningInstance(const std::wstring& className, bool activate) noexcept {
    const HWND window = FindWindowW(className.c_str(), nullptr);
    if (window == nullptr) {
        return false;
    }
    if (activate) {
        ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
    }
    return true;
}

}  // namespace vt
