#pragma once

#include <memory>

#include "ui/win/Control.h"

namespace vt::win {

// The control of a layout row's kind.
std::unique_ptr<Control> MakeControl(Form& form, const LayoutRow& row, Container* parent);
// Puts `item` under a control that is not a container (a menu item under its popup menu).
void AttachToOwner(Control& owner, Control& item);

}  // namespace vt::win
