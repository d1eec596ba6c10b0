#include <windows.h>

#include "ui/win/NativeHandCursor.h"
#include "ui/win/NativeHintWindow.h"

// The interactive program grows here; for now it starts and ends cleanly.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything else: the system hand for hand-point cursors, the native tooltip for hints.
    vt::win::InstallNativeHandCursor();
    vt::win::InstallNativeHintWindow();
    return 0;
}
