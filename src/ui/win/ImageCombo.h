#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// ComboBoxEx32 as a drop-down list (no editing) with images from an ImageList row.
class ImageCombo final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND parentWindow) override;
    void ApplyDpi() override;
    int ItemIndex() const noexcept;
    void SetItemIndex(int index) noexcept;
    int ItemCount() const noexcept;
    std::wstring ItemText(int index) const;

protected:
    RECT CreationBounds() const noexcept override;

private:
    void AttachImages() noexcept;
    RECT DroppedBounds() const noexcept;
};

}  // namespace vt::win
