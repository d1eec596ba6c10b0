#include "ui/win/ProgressBar.h"

#include <windows.h>

#include <commctrl.h>

namespace vt::win {

void ProgressBar::CreateIn(HWND parentWindow) {
    HWND bar = CreateNative(PROGRESS_CLASSW, PBS_SMOOTH, 0, parentWindow);
    if (bar != nullptr) {
        ::SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(Row().rangeMin), Row().rangeMax);
        ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(Row().rangeMin), 0);
    }
}

int ProgressBar::Position() const noexcept {
    return Handle() != nullptr ? static_cast<int>(::SendMessageW(Handle(), PBM_GETPOS, 0, 0)) : 0;
}

void ProgressBar::SetPosition(int position) noexcept {
    if (Handle() != nullptr) {
        ::SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
}

}  // namespace vt::win
