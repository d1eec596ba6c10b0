#include "ui/win/Control.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/win/Application.h"
#include "ui/win/Container.h"
#include "ui/win/Dpi.h"
#include "ui/win/Fonts.h"
#include "ui/win/Form.h"
#include "ui/win/Guard.h"

namespace vt::win {
namespace {

constexpr wchar_t kControlProperty[] = L"vt.win.Control";
constexpr UINT_PTR kSubclassId = 0x5654;

FontSpec FromLayout(const LayoutFont& font) {
    FontSpec result;
    result.face = font.face != nullptr ? font.face : L"";
    result.size = font.size;
    result.style = font.style;
    result.color = font.colour;
    return result;
}

// Kinds that publish ParentFont and Font.
bool HasFont(Kind kind) noexcept {
    switch (kind) {
        case Kind::Panel:
        case Kind::Label:
        case Kind::PushButton:
        case Kind::ImageCombo:
        case Kind::Memo:
            return true;
        default:
            return false;
    }
}

}  // namespace

Control::Control(Form& form, const LayoutRow& row, Container* parent)
    : form_(form),
      row_(row),
      parent_(parent),
      id_(form.NextControlId()),
      font_(FromLayout(row.font)),
      parentFont_(row.font.face == nullptr),
      enabled_((row.flags & kDisabled) == 0),
      visible_((row.flags & kHidden) == 0),
      cursor_(row.cursor) {}

Control::~Control() {
    if (window_ != nullptr) {
        ::RemoveWindowSubclass(window_, SubclassProc, kSubclassId);
        ::RemovePropW(window_, kControlProperty);
    }
}

ComponentKind Control::Kind() const {
    switch (row_.kind) {
        case Kind::Label:
            return ComponentKind::Label;
        case Kind::Panel:
            return ComponentKind::Panel;
        case Kind::PushButton:
            return ComponentKind::PushButton;
        case Kind::MenuItem:
            return ComponentKind::MenuItem;
        case Kind::Memo:
            return ComponentKind::Memo;
        default:
            return ComponentKind::Other;
    }
}

void Control::SetText(const std::wstring& text) {
    text_ = text;
    if (window_ != nullptr) {
        ::SetWindowTextW(window_, text_.c_str());
    }
    TextChangedOrNoted();
}

void Control::TextChangedOrNoted() {
    if (form_.LayoutHeld()) {
        textNoted_ = true;
        return;
    }
    TextChanged();
}

void Control::CatchUpLayout() {
    if (fontNoted_) {
        RefreshFont();
    } else if (textNoted_) {
        textNoted_ = false;
        TextChanged();
    }
}

std::optional<bool> Control::ParentFont() const {
    if (!HasFont(row_.kind)) {
        return std::nullopt;
    }
    return parentFont_;
}

std::optional<FontSpec> Control::Font() const {
    if (!HasFont(row_.kind)) {
        return std::nullopt;
    }
    return EffectiveFont();
}

void Control::SetFont(const FontSpec& font) {
    if (!HasFont(row_.kind)) {
        return;
    }
    font_ = font;
    parentFont_ = false;
    RefreshFont();
    RefreshChildFonts();
}

void Control::RefreshChildFonts() {
    if (auto* container = dynamic_cast<Container*>(this)) {
        for (Control* child : container->Children()) {
            if (child->parentFont_) {
                child->RefreshFont();
                child->RefreshChildFonts();
            }
        }
    }
}

FontSpec Control::EffectiveFont() const {
    if (parentFont_) {
        return parent_ != nullptr ? parent_->ContainerFont() : form_.Font();
    }
    return font_;
}

HFONT Control::FontHandle() const noexcept {
    return fontHandle_ ? fontHandle_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void Control::RefreshFont() {
    if (!HasFont(row_.kind)) {
        return;
    }
    if (form_.LayoutHeld()) {
        fontNoted_ = true;
        return;
    }
    fontNoted_ = false;
    textNoted_ = false;
    fontHandle_ = CreateFontAt(EffectiveFont(), Dpi());
    if (window_ != nullptr) {
        ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    }
    TextChanged();
    InvalidateInParent();
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (window_ != nullptr) {
        ::EnableWindow(window_, enabled ? TRUE : FALSE);
    }
    InvalidateInParent();
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (window_ != nullptr) {
        ::ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    }
    InvalidateInParent();
}

void Control::SetFocus() const noexcept {
    if (window_ != nullptr) {
        ::SetFocus(window_);
    }
}

int Control::EffectiveCursor() const noexcept {
    if (cursor_ != crDefault || parent_ == nullptr) {
        return cursor_;
    }
    if (IsWindowless() || row_.kind == Kind::Label) {
        return parent_->ContainerCursor();
    }
    return crDefault;
}

UINT Control::Dpi() const noexcept {
    return form_.Dpi();
}

RECT Control::LaidOutBounds() const noexcept {
    if ((row_.flags & kFillParent) != 0 && parent_ != nullptr) {
        RECT client{};
        ::GetClientRect(parent_->ContainerWindow(), &client);
        return client;
    }
    const UINT dpi = Dpi();
    const int x = Scale(row_.rect.x, dpi);
    const int y = Scale(row_.rect.y, dpi);
    return RECT{x, y, x + Scale(row_.rect.w, dpi), y + Scale(row_.rect.h, dpi)};
}

void Control::SetBounds(const RECT& bounds) {
    if (IsWindowless()) {
        InvalidateInParent();
    }
    const bool moved = !::EqualRect(&bounds_, &bounds);
    bounds_ = bounds;
    if (window_ != nullptr && moved) {
        ::SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateInParent();
}

void Control::ApplyDpi() {
    RefreshFont();
    SetBounds(LaidOutBounds());
}

void Control::InvalidateInParent() const noexcept {
    if (window_ != nullptr) {
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    if (parent_ != nullptr && parent_->ContainerWindow() != nullptr && IsWindowless()) {
        ::InvalidateRect(parent_->ContainerWindow(), &bounds_, FALSE);
    }
}

void Control::CreateIn(HWND) {
    ApplyDpi();
}

HWND Control::CreateNative(const wchar_t* className, DWORD style, DWORD exStyle, HWND parentWindow,
                           bool subclass) {
    const RECT box = CreationBounds();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) {
        style |= WS_VISIBLE;
    }
    if (!enabled_) {
        style |= WS_DISABLED;
    }
    if (row_.tabOrder >= 0) {
        style |= WS_TABSTOP;
    }
    HWND window = ::CreateWindowExW(exStyle, className, text_.c_str(), style, box.left, box.top,
                                    box.right - box.left, box.bottom - box.top, parentWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                                    ::GetModuleHandleW(nullptr), this);
    if (window == nullptr) {
        return nullptr;
    }
    window_ = window;
    bounds_ = box;
    ::SetPropW(window, kControlProperty, this);
    if (subclass) {
        ::SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    RefreshFont();
    return window;
}

Control* Control::FromHandle(HWND window) noexcept {
    return window != nullptr ? static_cast<Control*>(::GetPropW(window, kControlProperty))
                             : nullptr;
}

void Control::Click() noexcept {
    GuardHandler([&] {
        if (OnClick) {
            OnClick(*this);
        }
    });
}

void Control::MouseEnter() noexcept {
    GuardHandler([&] {
        if (OnMouseEnter) {
            OnMouseEnter(*this);
        }
    });
}

void Control::MouseLeave() noexcept {
    GuardHandler([&] {
        if (OnMouseLeave) {
            OnMouseLeave(*this);
        }
    });
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Control*>(data);
    try {
        return self->HandleSubclassed(window, message, wParam, lParam);
    } catch (...) {
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
}

LRESULT Control::HandleSubclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                tracking_ = ::TrackMouseEvent(&track) != FALSE;
            }
            form_.HoverTo(this);
            break;
        case WM_MOUSELEAVE:
            tracking_ = false;
            form_.DropHovered(this);
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
                const int cursor = EffectiveCursor();
                if (cursor != crDefault) {
                    ::SetCursor(Application::Instance().Screen().Cursor(cursor));
                    return TRUE;
                }
            }
            break;
        case WM_LBUTTONDOWN:
            if (row_.kind == Kind::Label) {
                pressed_ = true;
                ::SetCapture(window);
            }
            break;
        case WM_LBUTTONUP:
            if (row_.kind == Kind::Label && pressed_) {
                pressed_ = false;
                ::ReleaseCapture();
                RECT client{};
                ::GetClientRect(window, &client);
                const POINT point{static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam))};
                if (::PtInRect(&client, point)) {
                    Click();
                }
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window) {
                pressed_ = false;
            }
            break;
        case WM_SETFOCUS:
            form_.FocusControl(this);
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
            ::RemovePropW(window, kControlProperty);
            if (form_.Hovered() == this) {
                form_.HoverTo(nullptr);
            }
            window_ = nullptr;
            break;
        default:
            break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace vt::win
