#include "ui/win/Sound.h"

#include <windows.h>

#include <mmsystem.h>

namespace vt::win {

void Sound::PlayClickSound() noexcept {
    // Without SND_NODEFAULT the platform may play its default sound when the resource cannot be.
    ::PlaySoundW(L"click", ::GetModuleHandleW(nullptr), SND_RESOURCE);
}

}  // namespace vt::win
