#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// A PNG stretched to its box, painted by its container in layout order (so labels and later
// pictures lie above it). Scaled once per density, not at every paint.
class Picture final : public Control {
public:
    using Control::Control;

    bool IsWindowless() const noexcept override { return true; }
    void ApplyDpi() override;
    void Paint(HDC dc) override;
    bool HasImage() const noexcept { return static_cast<bool>(scaled_); }

private:
    UniqueBitmap scaled_;
};

}  // namespace vt::win
