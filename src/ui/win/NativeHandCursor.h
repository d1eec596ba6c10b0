#pragma once

namespace vt::win {

// Makes the screen's hand-point cursor (crHandPoint) the system hand. The previous one is dropped
// first; when the system gives none, controls with that cursor show the default one.
void InstallNativeHandCursor() noexcept;

}  // namespace vt::win
