#pragma once

#include "ui/ShownWindow.h"

namespace vt {

// What the main window needs of the About window.
class AboutView : public ShownWindow {
public:
    // Centred over the main window and shown modally; returns when it is closed.
    virtual void ShowModalOverMainWindow() = 0;
};

}  // namespace vt
