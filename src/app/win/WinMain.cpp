#include <windows.h>

// The interactive program grows here; for now it starts and ends cleanly.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
