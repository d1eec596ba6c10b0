#include "ui/win/ImageList.h"

#include "ui/win/Dpi.h"
#include "ui/win/PngImage.h"

namespace vt::win {

void ImageList::ApplyDpi() {
    const int width = Scale(Row().rect.w, Dpi());
    const int height = Scale(Row().rect.h, Dpi());
    list_.reset(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK,
                                   static_cast<int>(Row().pictures.size()), 0));
    if (!list_) {
        return;
    }
    for (const wchar_t* name : Row().pictures) {
        UniqueBitmap bitmap = PngImage::LoadScaled(name, Dpi(), width, height);
        ::ImageList_Add(list_.get(), bitmap.get(), nullptr);
    }
}

}  // namespace vt::win
