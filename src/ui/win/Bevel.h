#pragma once

#include "ui/win/Control.h"

namespace vt::win {

// An etched line along the right edge of its box, or the top edge with kEdgeTop; painted by its
// container.
class Bevel final : public Control {
public:
    using Control::Control;

    bool IsWindowless() const noexcept override { return true; }
    void Paint(HDC dc) override;
};

}  // namespace vt::win
