#pragma once

#include <windows.h>

namespace vt::win {

inline constexpr UINT kDesignDpi = 96;

// A layout length (pixels at 96 DPI) at another density, rounded as MulDiv rounds.
inline int Scale(int value, UINT dpi) noexcept {
    return ::MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

// The per-monitor functions are looked up at run time, so the program still starts on systems
// older than Windows 10 and falls back to the system density there.
UINT DpiForWindow(HWND window) noexcept;
UINT DpiForMonitor(HMONITOR monitor) noexcept;
UINT SystemDpi() noexcept;
int SystemMetricForDpi(int index, UINT dpi) noexcept;
// The outer rectangle around a client rectangle for a window of these styles at that density.
RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, UINT dpi) noexcept;
// The icon-title font as the platform gives it for that density.
bool IconTitleLogFont(LOGFONTW& font, UINT dpi) noexcept;

}  // namespace vt::win
