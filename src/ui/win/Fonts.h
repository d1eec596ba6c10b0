#pragma once

#include <windows.h>

#include "i18n/FormModel.h"
#include "ui/win/Handles.h"

namespace vt::win {

// Points to the pixel height at a density, as the platform's font dialogs convert them.
int FontPixelHeight(int points, UINT dpi) noexcept;

// A GDI font for the record at that density; an empty face leaves the choice to the font mapper.
UniqueFont CreateFontAt(const FontSpec& wanted, UINT dpi) noexcept;

// The record of a platform font given for a density.
FontSpec FontSpecFromLogFont(const LOGFONTW& font, UINT dpi) noexcept;

// The platform's icon-title font, or the system font when the platform reports none.
FontSpec IconTitleFont() noexcept;

}  // namespace vt::win
