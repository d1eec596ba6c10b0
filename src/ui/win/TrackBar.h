#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// A horizontal msctls_trackbar32 with ticks on both sides of the track and no selection range.
class TrackBar final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND parentWindow) override;
    void ApplyDpi() override;
    int Position() const noexcept;
    // Kept within the range by the control.
    void SetPosition(int position) noexcept;
};

}  // namespace vt::win
