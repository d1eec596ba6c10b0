#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/win/Control.h"

namespace vt::win {

// Images of the row's size (rect.w x rect.h at 96 DPI) from the row's PNG resources, with alpha;
// made again at each density.
class ImageList final : public Control {
public:
    using Control::Control;

    void ApplyDpi() override;
    HIMAGELIST Handle() const noexcept { return list_.get(); }

private:
    UniqueImageList list_;
};

}  // namespace vt::win
