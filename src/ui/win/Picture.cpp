#include "ui/win/Picture.h"

#include <cstddef>

#include "ui/win/Form.h"
#include "ui/win/PngImage.h"

namespace vt::win {
namespace {

// Whether every pixel of a 32-bit DIB section is fully opaque.
bool AllPixelsOpaque(HBITMAP bitmap) noexcept {
    DIBSECTION section{};
    if (::GetObjectW(bitmap, sizeof section, &section) != sizeof section ||
        section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 32) {
        return false;
    }
    const auto* pixel = static_cast<const BYTE*>(section.dsBm.bmBits);
    const std::size_t count = static_cast<std::size_t>(section.dsBm.bmWidth) *
                              static_cast<std::size_t>(section.dsBm.bmHeight);
    for (std::size_t i = 0; i < count; ++i, pixel += 4) {
        if (pixel[3] != 0xFF) {
            return false;
        }
    }
    return true;
}

}  // namespace

void Picture::ApplyDpi() {
    Control::ApplyDpi();
    if (OwnerForm().Definition().picturesWhenPainted && !OwnerForm().Visible()) {
        scaled_.reset();
        opaque_ = false;
        pending_ = true;
        return;
    }
    Decode();
}

void Picture::Decode() {
    pending_ = false;
    const RECT box = Bounds();
    scaled_ =
        PngImage::LoadScaled(Row().picture, Dpi(), box.right - box.left, box.bottom - box.top);
    // Blending a fully opaque picture gives its own pixels: those are copied, which is faster.
    opaque_ = scaled_ && AllPixelsOpaque(scaled_.get());
}

void Picture::Paint(HDC dc) {
    if (pending_) {
        Decode();
    }
    if (!scaled_) {
        return;
    }
    const RECT box = Bounds();
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    if (!memory) {
        return;
    }
    SelectedObject selected(memory.get(), scaled_.get());
    if (opaque_) {
        ::BitBlt(dc, box.left, box.top, width, height, memory.get(), 0, 0, SRCCOPY);
        return;
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, box.left, box.top, width, height, memory.get(), 0, 0, width, height, blend);
}

}  // namespace vt::win
