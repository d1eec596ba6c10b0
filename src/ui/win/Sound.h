#pragma once

#include <windows.h>

#include "ui/ClickSound.h"
#include "ui/win/Handles.h"

namespace vt::win {

// The embedded "CLICK" wave, played synchronously: the caller's action follows the click.
class Sound final : public ClickSound {
public:
    void PlayClickSound() noexcept override;

private:
    using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

    UniqueModule winmm_;
    PlaySoundFunction playSound_ = nullptr;
};

}  // namespace vt::win
