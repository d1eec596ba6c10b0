#pragma once

#include "ui/OperationSupport.h"

namespace vt {

// "Restore": after a confirmation, paces the progress window through its steps, undoes the
// catalogue for the chosen edition and offers to restart Windows. Does nothing while another
// handler runs. Never throws.
void RunRestore(const OperationParts& parts, OperationState& state) noexcept;

}  // namespace vt
