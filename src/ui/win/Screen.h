#pragma once

#include <windows.h>

#include <map>

#include "i18n/FormModel.h"
#include "ui/win/Handles.h"

namespace vt::win {

// What the application knows of the screen: the cursor table, the hint font and the icon-title
// font.
class Screen {
public:
    // The cursor of that number; the arrow for a number the table lacks.
    HCURSOR Cursor(int id) const noexcept;
    // Puts a cursor in the table; nullptr removes the entry.
    void SetCursor(int id, HCURSOR cursor);
    bool HasCursor(int id) const noexcept { return cursors_.count(id) != 0; }

    // The font hints are measured and drawn in: the platform's status font.
    HFONT HintFont();
    void SetHintFont(UniqueFont font) { hintFont_ = std::move(font); }
    FontSpec IconTitleFont() const;

private:
    std::map<int, HCURSOR> cursors_;
    UniqueFont hintFont_;
};

}  // namespace vt::win
