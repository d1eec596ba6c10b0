#include "ui/win/NativeHandCursor.h"

#include <windows.h>

#include "ui/win/Application.h"
#include "ui/win/Guard.h"
#include "ui/win/Layout.h"

namespace vt::win {

void InstallNativeHandCursor() noexcept {
    GuardHandler([] {
        Screen& screen = Application::Instance().Screen();
        screen.SetCursor(crHandPoint, nullptr);
        // Shared system cursors are never destroyed, so the table can hold this one for good.
        HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
        if (hand != nullptr) {
            screen.SetCursor(crHandPoint, hand);
        }
    });
}

}  // namespace vt::win
