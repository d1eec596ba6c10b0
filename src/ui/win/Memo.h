#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// A read-only multi-line EDIT: vertical scroll bar, words wrapped at its width, its parent's
// colour.
class Memo final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND parentWindow) override;
};

}  // namespace vt::win
