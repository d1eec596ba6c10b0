#pragma once

#include "ui/win/Layout.h"

namespace vt::win {

// TVTMainForm as laid out: every control, position, size, font, colour, painting and tab order.
const FormDef& MainFormDefinition() noexcept;

}  // namespace vt::win
