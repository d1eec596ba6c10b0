#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// BUTTON; kDefaultButton makes it the one Enter presses, kShield adds the elevation shield.
class PushButton final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND parentWindow) override;
    void Command(WORD code) override;
};

}  // namespace vt::win
