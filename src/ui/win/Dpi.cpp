#include "ui/win/Dpi.h"

#include "shell/win/SystemLibrary.h"

namespace vt::win {
namespace {

template <typename F>
F UserFunction(const char* name) noexcept {
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    return user != nullptr
               ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(user, name)))
               : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

}  // namespace

UINT SystemDpi() noexcept {
    static const auto forSystem = UserFunction<GetDpiForSystemFn>("GetDpiForSystem");
    if (forSystem != nullptr) {
        return forSystem();
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT DpiForWindow(HWND window) noexcept {
    static const auto forWindow = UserFunction<GetDpiForWindowFn>("GetDpiForWindow");
    if (forWindow != nullptr && window != nullptr) {
        const UINT dpi = forWindow(window);
        if (dpi != 0) {
            return dpi;
        }
    }
    return SystemDpi();
}

UINT DpiForMonitor(HMONITOR monitor) noexcept {
    static const auto forMonitor = [] {
        HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
        return shcore != nullptr ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(
                                       ::GetProcAddress(shcore, "GetDpiForMonitor")))
                                 : nullptr;
    }();
    UINT x = 0;
    UINT y = 0;
    if (forMonitor != nullptr && monitor != nullptr &&
        SUCCEEDED(forMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && y != 0) {
        return y;
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) noexcept {
    static const auto forDpi = UserFunction<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) {
        return forDpi(index, dpi);
    }
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi),
                    static_cast<int>(SystemDpi()));
}

RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, UINT dpi) noexcept {
    static const auto forDpi = UserFunction<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT outer = client;
    if (forDpi == nullptr || !forDpi(&outer, style, FALSE, exStyle, dpi)) {
        outer = client;
        ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    return outer;
}

bool IconTitleLogFont(LOGFONTW& font, UINT dpi) noexcept {
    static const auto forDpi =
        UserFunction<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    if (forDpi != nullptr && forDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0, dpi)) {
        return true;
    }
    if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) {
        return false;
    }
    font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return true;
}

}  // namespace vt::win
