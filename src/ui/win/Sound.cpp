#include "ui/win/Sound.h"

#include <mmsystem.h>

#include <string>

namespace vt::win {

void Sound::PlayClickSound() noexcept {
    // The sound library is loaded at the first click, not at start-up, from the system folder.
    if (!winmm_) {
        wchar_t folder[MAX_PATH] = {};
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return;
        }
        try {
            winmm_.reset(::LoadLibraryW((std::wstring(folder, length) + L"\\winmm.dll").c_str()));
        } catch (...) {
            return;
        }
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
