#include "ui/win/Panel.h"

#include "ui/win/Form.h"

namespace vt::win {
namespace {
constexpr wchar_t kPanelClass[] = L"TkPanel";
}

Colour Panel::ContainerColour() const noexcept {
    return Row().colour != kNoColour ? Row().colour : kButtonFaceColour;
}

void Panel::CreateIn(HWND parentWindow) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!::GetClassInfoExW(instance, kPanelClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPanelClass;
        ::RegisterClassExW(&wc);
    }
    CreateNative(kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parentWindow, false);
}

LRESULT CALLBACK Panel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Panel*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Panel*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        } else {
            try {
                LRESULT result = 0;
                if (self->HandleContainerMessage(self->OwnerForm(), window, message, wParam, lParam,
                                                 result)) {
                    return result;
                }
            } catch (...) {
            }
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vt::win
