#include "ui/win/Container.h"

#include <windowsx.h>

#include "ui/win/Application.h"
#include "ui/win/Colours.h"
#include "ui/win/Control.h"
#include "ui/win/Form.h"
#include "ui/win/Label.h"

namespace vt::win {

HBRUSH Container::BackgroundBrush() {
    const COLORREF colour = ResolveColour(ContainerColour());
    if (!brush_ || colour != brushColour_) {
        brush_.reset(::CreateSolidBrush(colour));
        brushColour_ = colour;
    }
    return brush_.get();
}

void Container::PaintBackground(HDC dc, const RECT& area) {
    ::FillRect(dc, &area, BackgroundBrush());
    for (Control* child : children_) {
        if (!child->IsWindowless() || !child->Visible()) {
            continue;
        }
        RECT overlap{};
        const RECT bounds = child->Bounds();
        if (::IntersectRect(&overlap, &bounds, &area)) {
            child->Paint(dc);
        }
    }
}

void Container::PaintBuffered(HWND window, bool buffered) {
    PAINTSTRUCT ps{};
    HDC dc = ::BeginPaint(window, &ps);
    if (dc == nullptr) {
        return;
    }
    const RECT& area = ps.rcPaint;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    UniqueMemoryDc memory(buffered ? ::CreateCompatibleDC(dc) : nullptr);
    UniqueBitmap bitmap(memory ? ::CreateCompatibleBitmap(dc, width, height) : nullptr);
    if (bitmap) {
        SelectedObject selected(memory.get(), bitmap.get());
        ::SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
        PaintBackground(memory.get(), area);
        ::SetViewportOrgEx(memory.get(), 0, 0, nullptr);
        ::BitBlt(dc, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
    } else {
        PaintBackground(dc, area);
    }
    ::EndPaint(window, &ps);
}

// A transparent label: what its container paints under it, then its text, in one buffer.
void Container::DrawLabel(const DRAWITEMSTRUCT& item) {
    auto* label = dynamic_cast<Label*>(Control::FromHandle(item.hwndItem));
    if (label == nullptr) {
        return;
    }
    const RECT& box = item.rcItem;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    UniqueMemoryDc memory(::CreateCompatibleDC(item.hDC));
    UniqueBitmap bitmap(memory ? ::CreateCompatibleBitmap(item.hDC, width, height) : nullptr);
    if (!bitmap) {
        return;
    }
    SelectedObject selected(memory.get(), bitmap.get());
    const RECT bounds = label->Bounds();
    ::SetViewportOrgEx(memory.get(), -bounds.left, -bounds.top, nullptr);
    PaintBackground(memory.get(), bounds);
    ::SetViewportOrgEx(memory.get(), 0, 0, nullptr);
    label->DrawText(memory.get(), RECT{0, 0, width, height});
    ::BitBlt(item.hDC, box.left, box.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

Control* Container::PaintedChildAt(POINT point) const noexcept {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* child = *it;
        const RECT bounds = child->Bounds();
        if (child->IsWindowless() && child->Visible() && ::PtInRect(&bounds, point)) {
            return child;
        }
    }
    return nullptr;
}

bool Container::HandleContainerMessage(Form& form, HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT:
            PaintBuffered(window, form.Definition().doubleBuffered);
            result = 0;
            return true;
        case WM_PRINTCLIENT: {
            RECT client{};
            ::GetClientRect(window, &client);
            PaintBackground(reinterpret_cast<HDC>(wParam), client);
            result = 0;
            return true;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item != nullptr && item->CtlType == ODT_STATIC) {
                DrawLabel(*item);
                result = TRUE;
                return true;
            }
            return false;
        }
        case WM_COMMAND: {
            Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam));
            if (control == nullptr && lParam == 0 && HIWORD(wParam) <= 1) {
                // Enter on the default button arrives from the dialog manager without a window.
                control = form.ControlById(LOWORD(wParam));
            }
            if (control != nullptr) {
                control->Command(HIWORD(wParam));
                result = 0;
                return true;
            }
            return false;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            Control* control = header != nullptr ? Control::FromHandle(header->hwndFrom) : nullptr;
            if (control != nullptr) {
                result = control->Notify(*header);
                return true;
            }
            return false;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetBkColor(dc, ResolveColour(ContainerColour()));
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            result = reinterpret_cast<LRESULT>(BackgroundBrush());
            return true;
        }
        case WM_MOUSEMOVE: {
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                tracking_ = ::TrackMouseEvent(&track) != FALSE;
            }
            Control* hit = PaintedChildAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            form.HoverTo(hit != nullptr ? hit : AsControl());
            return false;
        }
        case WM_MOUSELEAVE: {
            tracking_ = false;
            Control* hovered = form.Hovered();
            if (hovered != nullptr && (hovered == AsControl() ||
                                       (hovered->IsWindowless() && hovered->Parent() == this))) {
                form.HoverTo(nullptr);
            }
            return false;
        }
        case WM_LBUTTONDOWN: {
            pressed_ = PaintedChildAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            if (pressed_ == nullptr) {
                pressed_ = AsControl();
            }
            if (pressed_ != nullptr) {
                ::SetCapture(window);
            }
            return false;
        }
        case WM_LBUTTONUP: {
            Control* pressed = pressed_;
            pressed_ = nullptr;
            if (pressed == nullptr) {
                return false;
            }
            ::ReleaseCapture();
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT client{};
            ::GetClientRect(window, &client);
            const RECT bounds = pressed == AsControl() ? client : pressed->Bounds();
            if (::PtInRect(&bounds, point)) {
                pressed->Click();
            }
            result = 0;
            return true;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window) {
                pressed_ = nullptr;
            }
            return false;
        case WM_SETCURSOR: {
            if (reinterpret_cast<HWND>(wParam) != window || LOWORD(lParam) != HTCLIENT) {
                return false;
            }
            POINT point{};
            ::GetCursorPos(&point);
            ::ScreenToClient(window, &point);
            Control* hit = PaintedChildAt(point);
            const int cursor = hit != nullptr ? hit->EffectiveCursor() : ContainerCursor();
            if (cursor == crDefault) {
                return false;
            }
            ::SetCursor(Application::Instance().Screen().Cursor(cursor));
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace vt::win
