#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// A smooth (continuous) msctls_progress32 with the row's range.
class ProgressBar final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND parentWindow) override;
    int Position() const noexcept;
    void SetPosition(int position) noexcept;
};

}  // namespace vt::win
