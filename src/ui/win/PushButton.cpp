#include "ui/win/PushButton.h"

#include <windows.h>

#include <commctrl.h>

namespace vt::win {

void PushButton::CreateIn(HWND parentWindow) {
    const bool isDefault = (Row().flags & kDefaultButton) != 0;
    HWND button =
        CreateNative(L"BUTTON", isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 0, parentWindow);
    if (button != nullptr && (Row().flags & kShield) != 0) {
        ::SendMessageW(button, BCM_SETSHIELD, 0, TRUE);
    }
}

void PushButton::Command(WORD code) {
    if (code == BN_CLICKED) {
        Click();
    }
}

}  // namespace vt::win
