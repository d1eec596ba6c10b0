#pragma once

#include "ui/OperationSupport.h"

namespace vt {

// "Optimize now": stores the selections, paces the progress window through its steps, applies the
// catalogue for the chosen edition (with the backup the first time) and offers to restart Windows.
// Does nothing while another handler runs. Never throws.
void RunOptimize(const OperationParts& parts, OperationState& state) noexcept;

}  // namespace vt
