#include "ui/win/Picture.h"

#include "ui/win/PngImage.h"

namespace vt::win {

void Picture::ApplyDpi() {
    Control::ApplyDpi();
    const RECT box = Bounds();
    scaled_ =
        PngImage::Load(Row().picture, Dpi()).Scaled(box.right - box.left, box.bottom - box.top);
}

void Picture::Paint(HDC dc) {
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
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, box.left, box.top, width, height, memory.get(), 0, 0, width, height, blend);
}

}  // namespace vt::win
