#include "ui/win/Sound.h"

#include <mmsystem.h>

#include "shell/win/SystemLibrary.h"

namespace vt::win {

void Sound::PlayClickSound() noexcept {
    // The sound library is loaded at the first click, not at start-up, from the system folder.
    if (!winmm_) {
        winmm_.reset(LoadSystemLibrary(L"winmm.dll"));
        if (!winmm_) {
            return;
        }
        playSound_ = reinterpret_cast<PlaySoundFunction>(
            reinterpret_cast<void*>(::GetProcAddress(winmm_.get(), "PlaySoundW")));
    }
    if (playSound_ != nullptr) {
        // Without SND_NODEFAULT the platform may play its default sound when the resource
        // cannot be.
        playSound_(L"click", ::GetModuleHandleW(nullptr), SND_RESOURCE);
    }
}

}  // namespace vt::win
