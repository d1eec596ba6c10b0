#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// Transparent text: an owner-drawn STATIC whose window text is the caption, drawn by its container
// over what the container paints beneath it. Sizes itself to its text unless kFixedSize; with
// kAlignRight its right edge stays where the layout puts it.
class Label final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND parentWindow) override;
    void ApplyDpi() override;
    void CatchUpLayout() override;
    // Draws the text into `box` of a device context whose background is already painted.
    void DrawText(HDC dc, const RECT& box) const;

protected:
    void TextChanged() override;
    RECT CreationBounds() const noexcept override { return Bounds(); }

private:
    // Where the window will be made once the form's preparation is done.
    HWND pendingParent_ = nullptr;
    UINT TextFlags() const noexcept;
    void AutoSize();
};

}  // namespace vt::win
