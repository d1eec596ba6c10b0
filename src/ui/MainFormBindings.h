#pragma once

#include <span>

namespace vt {

enum class MainEvent { Click, MouseEnter, MouseLeave };

enum class MainHandler {
    NavButton1Click,
    NavButton2Click,
    NavButton3Click,
    NavButton4Click,
    HelpFilePopupClick,
    UpdatesButtonClick,
    GoButtonClick,
    RestoreButtonClick,
    NavButtonMouseEnter,
    NavButtonMouseLeave,
    LabelMouseEnter,
    LabelMouseLeave,
};

// Which handler an event of a control (or of a menu item) of the main window runs.
struct MainBinding {
    const wchar_t* control;
    MainEvent event;
    MainHandler handler;
};

std::span<const MainBinding> MainFormBindings();

}  // namespace vt
