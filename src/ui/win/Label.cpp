#include "ui/win/Label.h"

#include <cstdint>

#include "ui/win/Colours.h"
#include "ui/win/Dpi.h"
#include "ui/win/Form.h"

namespace vt::win {
namespace {

// The right edge of the ink of one line drawn from x = 0: glyphs may reach past the advance
// widths that DT_CALCRECT adds up (under Wine a line mixing Korean and Latin loses its last dot).
int InkRight(HDC reference, HFONT font, const std::wstring& text, UINT format, int width,
             int height) {
    const int slack = height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width + slack;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(::CreateCompatibleDC(reference));
    if (!bitmap || !memory || bits == nullptr) {
        return width;
    }
    SelectedObject selectedBitmap(memory.get(), bitmap.get());
    SelectedObject selectedFont(memory.get(), font);
    RECT box{0, 0, width + slack, height};
    ::FillRect(memory.get(), &box, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(memory.get(), TRANSPARENT);
    ::SetTextColor(memory.get(), RGB(0, 0, 0));
    ::DrawTextW(memory.get(), text.c_str(), static_cast<int>(text.size()), &box, format);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const int stride = width + slack;
    for (int x = stride - 1; x >= width; --x) {
        for (int y = 0; y < height; ++y) {
            if ((pixels[y * stride + x] & 0x00FFFFFFu) != 0x00FFFFFFu) {
                return x + 1;
            }
        }
    }
    return width;
}

// Measuring needs no window: a memory DC spares a round trip to the display for each label.
HDC MeasuringDc() noexcept {
    static const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    return dc.get();
}

}  // namespace

// While its form prepares itself the label waits for its final font and text and is then made
// at its measured size: resizing a window afterwards costs more than the rest of a label.
void Label::CreateIn(HWND parentWindow) {
    if (OwnerForm().LayoutHeld()) {
        pendingParent_ = parentWindow;
        return;
    }
    RefreshFont();  // measured before its window exists
    if (CreateNative(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0, parentWindow) == nullptr) {
        AutoSize();
    }
}

void Label::CatchUpLayout() {
    if (pendingParent_ == nullptr) {
        Control::CatchUpLayout();
        return;
    }
    HWND parent = pendingParent_;
    pendingParent_ = nullptr;
    CreateIn(parent);
}

void Label::ApplyDpi() {
    // Measures the label again with the new font.
    RefreshFont();
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
        HDC measuring = MeasuringDc();
        SelectedObject font(measuring, FontHandle());
        const std::wstring& text = Text();
        RECT measured{0, 0, (Row().flags & kWordWrap) != 0 ? box.right - box.left : 0, 0};
        ::DrawTextW(measuring, text.empty() ? L" " : text.c_str(),
                    text.empty() ? 1 : static_cast<int>(text.size()), &measured,
                    TextFlags() | DT_CALCRECT);
        int width = text.empty() ? 0 : measured.right - measured.left;
        const int height = measured.bottom - measured.top;
        if ((Row().flags & kWordWrap) == 0 && width > 0 && height > 0) {
            width = InkRight(measuring, FontHandle(), text, TextFlags() & ~DT_RIGHT, width, height);
        }
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
