#include "ui/win/TrackBar.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/win/Dpi.h"

namespace vt::win {

void TrackBar::CreateIn(HWND parentWindow) {
    DWORD style = TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS;
    if (Row().thumbLength > 0) {
        style |= TBS_FIXEDLENGTH;
    }
    HWND track = CreateNative(TRACKBAR_CLASSW, style, 0, parentWindow);
    if (track == nullptr) {
        return;
    }
    ::SendMessageW(track, TBM_SETRANGEMIN, FALSE, Row().rangeMin);
    ::SendMessageW(track, TBM_SETRANGEMAX, TRUE, Row().rangeMax);
    ::SendMessageW(track, TBM_SETPAGESIZE, 0, Row().pageSize);
    ApplyDpi();
}

void TrackBar::ApplyDpi() {
    Control::ApplyDpi();
    if (Handle() != nullptr && Row().thumbLength > 0) {
        ::SendMessageW(Handle(), TBM_SETTHUMBLENGTH,
                       static_cast<WPARAM>(Scale(Row().thumbLength, Dpi())), 0);
    }
}

int TrackBar::Position() const noexcept {
    return Handle() != nullptr ? static_cast<int>(::SendMessageW(Handle(), TBM_GETPOS, 0, 0)) : 0;
}

void TrackBar::SetPosition(int position) noexcept {
    if (Handle() != nullptr) {
        ::SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
    }
}

}  // namespace vt::win
