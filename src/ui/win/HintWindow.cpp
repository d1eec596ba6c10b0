#include "ui/win/HintWindow.h"

#include "ui/win/Application.h"

namespace vt::win {
namespace {

constexpr wchar_t kHintClass[] = L"TkHintWindow";
constexpr int kPadding = 3;

}  // namespace

RECT HintWindow::CalcHintRect(int maxWidth, const std::wstring& hint, void*) {
    RECT box{0, 0, maxWidth, 0};
    WindowDc screen(nullptr);
    SelectedObject font(screen.get(), Application::Instance().Screen().HintFont());
    ::DrawTextW(screen.get(), hint.c_str(), static_cast<int>(hint.size()), &box,
                DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
    box.right += 2 * kPadding;
    box.bottom += 2 * kPadding;
    return box;
}

void HintWindow::ActivateHint(const RECT& rect, const std::wstring& hint) {
    SetCaption(hint);
    if (!window_) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_SAVEBITS | CS_DROPSHADOW;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_INFOBK);
        wc.lpszClassName = kHintClass;
        ::RegisterClassExW(&wc);
        window_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kHintClass, L"",
                                        WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr,
                                        wc.hInstance, this));
        if (!window_) {
            return;
        }
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ::SetWindowTextW(window_.get(), hint.c_str());
    ::SetWindowPos(window_.get(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(window_.get(), nullptr, TRUE);
}

void HintWindow::ReleaseHandle() {
    if (window_) {
        ::ShowWindow(window_.get(), SW_HIDE);
    }
}

LRESULT CALLBACK HintWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HintWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    if (message == WM_PAINT && self != nullptr) {
        PAINTSTRUCT ps{};
        HDC dc = ::BeginPaint(window, &ps);
        RECT client{};
        ::GetClientRect(window, &client);
        ::InflateRect(&client, -kPadding + 1, -kPadding + 1);
        SelectedObject font(dc, Application::Instance().Screen().HintFont());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
        ::DrawTextW(dc, self->caption_.c_str(), static_cast<int>(self->caption_.size()), &client,
                    DT_NOPREFIX | DT_WORDBREAK);
        ::EndPaint(window, &ps);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vt::win
