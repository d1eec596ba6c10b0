#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// A PNG stretched to its box, painted by its container in layout order (so labels and later
// pictures lie above it). Scaled once per density, not at every paint.
// HasImage and IsOpaque answer once it is decoded: when laid out, or for a window made with
// picturesWhenPainted while hidden, when first painted.
class Picture final : public Control {
public:
    using Control::Control;

    bool IsWindowless() const noexcept override { return true; }
    void ApplyDpi() override;
    void Paint(HDC dc) override;
    bool HasImage() const noexcept { return static_cast<bool>(scaled_); }
    // Whether it is painted by a plain copy: every pixel of its picture is opaque.
    bool IsOpaque() const noexcept { return opaque_; }

private:
    void Decode();

    UniqueBitmap scaled_;
    bool opaque_ = false;
    bool pending_ = false;  // decoded at the first paint (see FormDef::picturesWhenPainted)
};

}  // namespace vt::win
