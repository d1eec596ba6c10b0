#pragma once

#include "i18n/FormModel.h"

namespace vt {

// Largest size of a window's own font, in points: the icon-title font at the usual settings.
inline constexpr int kMaxWindowFontSize = 9;

// Caps the window's font at 9 points, then gives every component that keeps a font of its own
// (ParentFont absent or false, and a Font) the window font's face and at least its size; styles
// and colours stay as laid out. Running it again changes nothing further. Nothing escapes; a
// failure ends it, and the components adapted so far keep their new fonts.
void AdaptFonts(Form& window) noexcept;

}  // namespace vt
