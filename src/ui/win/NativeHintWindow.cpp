#include "ui/win/NativeHintWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "ui/HintRules.h"
#include "ui/win/Application.h"
#include "ui/win/Guard.h"

namespace vt::win {
namespace {

std::vector<THintWindowFix*>& LiveHintWindows() noexcept {
    static std::vector<THintWindowFix*> list;
    return list;
}

bool OwnedByThisProcess(HWND window) noexcept {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId();
}

}  // namespace

const std::vector<THintWindowFix*>& HintWindowList() noexcept {
    return LiveHintWindows();
}

THintWindowFix::THintWindowFix() {
    GuardHandler([&] {
        Application& app = Application::Instance();
        oldAppHintHandler_ = app.OnHint;
        app.OnHint = [this] { AppHintHandler(); };
        const HintTiming timing = HintTimingFor(::GetDoubleClickTime());
        app.HintPause = timing.pause;
        app.HintShortPause = timing.shortPause;
        app.HintHidePause = timing.hidePause;
        LiveHintWindows().push_back(this);
    });
}

THintWindowFix::~THintWindowFix() {
    GuardHandler([&] {
        auto& list = LiveHintWindows();
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        Application::Instance().OnHint = oldAppHintHandler_;
    });
    // Nothing else would ever remove a tooltip whose hint window is gone.
    ReleaseHandle();
}

void THintWindowFix::AppHintHandler() {
    if (HintTextOf(Application::Instance().Hint()).empty()) {
        ReleaseHandle();
    }
}

void THintWindowFix::ReleaseHandle() {
    if (tipWindow_ != nullptr && ::IsWindow(tipWindow_)) {
        ::DestroyWindow(tipWindow_);
    }
    tipWindow_ = nullptr;
}

RECT THintWindowFix::CalcHintRect(int, const std::wstring& hint, void*) {
    const SIZE size = GetMultiLineTextSize(hint, 0);
    return RECT{0, 0, size.cx, size.cy};
}

void THintWindowFix::ActivateHint(const RECT& rect, const std::wstring& hint) {
    GuardHandler([&] {
        if (tipWindow_ != nullptr && ::IsWindow(tipWindow_)) {
            if (Caption() == hint) {
                return;
            }
            ::DestroyWindow(tipWindow_);
            tipWindow_ = nullptr;
        }
        SetCaption(hint);
        tipWindow_ = CreateTipWindow(POINT{rect.left, rect.top}, hint);
    });
}

HWND THintWindowFix::CreateTipWindow(POINT point, const std::wstring& text) {
    HWND tip =
        ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (tip == nullptr) {
        return nullptr;
    }
    try {
        ::SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
        // The tooltip sends its tool window messages and waits for the answers: a window of
        // another process (perhaps hung) must not become the tool.
        HWND tool = ::WindowFromPoint(point);
        if (tool != nullptr && !OwnedByThisProcess(tool)) {
            tool = nullptr;
        }
        RECT monitor{};
        MONITORINFO info{};
        info.cbSize = sizeof info;
        HMONITOR nearest = ::MonitorFromPoint(point, MONITOR_DEFAULTTONULL);
        if (nearest == nullptr) {
            nearest = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
        }
        if (nearest != nullptr && ::GetMonitorInfoW(nearest, &info)) {
            monitor = info.rcMonitor;
        } else {
            ::GetWindowRect(::GetDesktopWindow(), &monitor);
        }
        const int monitorWidth = monitor.right - monitor.left;
        const RECT needed = CalcHintRect(monitorWidth, text, nullptr);
        TextExtent size{needed.right - needed.left, needed.bottom - needed.top};
        RECT frame{0, 0, 0, 0};
        ::SendMessageW(tip, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&frame));
        size.width += 2 * (frame.right - frame.left);
        size.height += 2 * (frame.bottom - frame.top);
        POINT cursor{};
        ::GetCursorPos(&cursor);
        const ScreenPoint placed = PlaceTip(
            ScreenPoint{point.x, point.y}, size,
            ScreenBounds{monitor.left, monitor.top, monitor.right, monitor.bottom}, cursor.y);
        ::SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, monitorWidth);

        // The size of the structure this program was built with: a 64-bit tooltip ignores a
        // tool described with the 32-bit size.
        TOOLINFOW tool_info{};
        tool_info.cbSize = sizeof(TOOLINFOW);
        tool_info.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT | TTF_SUBCLASS;
        tool_info.hwnd = tool;
        tool_info.lpszText = const_cast<wchar_t*>(text.c_str());
        ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_info));
        ::SendMessageW(tip, TTM_TRACKPOSITION, 0, static_cast<LPARAM>(TrackPositionParam(placed)));
        ::SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_info));
        return tip;
    } catch (...) {
        ::DestroyWindow(tip);
        return nullptr;
    }
}

void InstallNativeHintWindow() noexcept {
    GuardHandler([] {
        LiveHintWindows();
        Application& app = Application::Instance();
        app.SetHintWindowClass([] { return std::make_unique<THintWindowFix>(); });
        app.SetHideHintHook(HideNativeHint);
    });
}

void HideNativeHint() noexcept {
    GuardHandler([] {
        const auto& list = LiveHintWindows();
        if (!list.empty()) {
            list.front()->ReleaseHandle();
        }
    });
}

SIZE GetTextSize(const std::wstring& text) noexcept {
    SIZE size{0, 0};
    try {
        HDC screen = ::GetDC(nullptr);
        if (screen == nullptr) {
            return size;
        }
        HGDIOBJ old = ::SelectObject(screen, Application::Instance().Screen().HintFont());
        if (!::GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size)) {
            size = SIZE{0, 0};
        }
        ::SelectObject(screen, old);
        ::ReleaseDC(nullptr, screen);
    } catch (...) {
        size = SIZE{0, 0};
    }
    return size;
}

SIZE GetMultiLineTextSize(const std::wstring& text, int lineSpacing) noexcept {
    try {
        const TextExtent extent = MultiLineExtent(text, lineSpacing, [](std::wstring_view line) {
            const SIZE size = GetTextSize(std::wstring(line));
            return TextExtent{size.cx, size.cy};
        });
        return SIZE{extent.width, extent.height};
    } catch (...) {
        return SIZE{0, 0};
    }
}

}  // namespace vt::win
