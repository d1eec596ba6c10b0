#include "ui/win/Label.h"

#include "ui/win/Colours.h"
#include "ui/win/Dpi.h"

namespace vt::win {

void Label::CreateIn(HWND parentWindow) {
    CreateNative(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0, parentWindow);
    AutoSize();
}

void Label::ApplyDpi() {
    RefreshFont();
    AutoSize();
}

void Label::TextChanged() {
    AutoSize();
}

UINT Label::TextFlags() const noexcept {
    const std::uint32_t flags = Row().flags;
    UINT format = (flags & kWordWrap) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if ((flags & kNoPrefix) != 0) {
        format |= DT_NOPREFIX;
    }
    if ((flags & kAlignRight) != 0) {
        format |= DT_RIGHT;
    }
    return format;
}

void Label::AutoSize() {
    RECT box = LaidOutBounds();
    if ((Row().flags & kFixedSize) == 0) {
        WindowDc screen(nullptr);
        SelectedObject font(screen.get(), FontHandle());
        const std::wstring& text = Text();
        RECT measured{0, 0, (Row().flags & kWordWrap) != 0 ? box.right - box.left : 0, 0};
        ::DrawTextW(screen.get(), text.empty() ? L" " : text.c_str(),
                    text.empty() ? 1 : static_cast<int>(text.size()), &measured,
                    TextFlags() | DT_CALCRECT);
        const int width = text.empty() ? 0 : measured.right - measured.left;
        const int height = measured.bottom - measured.top;
        if ((Row().flags & kAlignRight) != 0) {
            box.left = box.right - width;
        } else {
            box.right = box.left + width;
        }
        box.bottom = box.top + height;
    }
    SetBounds(box);
}

void Label::DrawText(HDC dc, const RECT& box) const {
    SelectedObject font(dc, FontHandle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(
        dc, Enabled() ? ResolveColour(EffectiveFont().color) : ::GetSysColor(COLOR_GRAYTEXT));
    const std::wstring& text = Text();
    RECT area = box;
    if ((Row().flags & kCentreVertically) != 0) {
        RECT measured{0, 0, box.right - box.left, 0};
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                    TextFlags() | DT_CALCRECT);
        const int spare = (box.bottom - box.top) - (measured.bottom - measured.top);
        if (spare > 0) {
            area.top += spare / 2;
        }
    }
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, TextFlags());
}

}  // namespace vt::win
