#include "updater/win/WinUpdaterPlatform.h"

#include "update/ProgramKeyRights.h"

namespace vt {
namespace {

UINT IconFlag(UpdaterPlatform::Icon icon) {
    switch (icon) {
        case UpdaterPlatform::Icon::Warning:
            return MB_ICONWARNING;
        case UpdaterPlatform::Icon::Question:
            return MB_ICONQUESTION;
        default:
            return MB_ICONINFORMATION;
    }
}

// The dialog class of system message boxes.
constexpr const wchar_t* kMessageBoxClass = L"#32770";

}  // namespace

bool WinUpdaterPlatform::ClaimSingleInstance() {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, mutexName_));
    if (mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex_.reset();  // the first updater's; holding it would outlive that updater
        return false;
    }
    // Without a mutex there is no way to tell; running twice is the lesser harm.
    return true;
}

void WinUpdaterPlatform::ActivateRunningInstance() {
    // The first updater may still be asking the server and show nothing yet; then there is
    // nothing to bring forward and its message appears by itself.
    HWND box = ::FindWindowW(kMessageBoxClass, caption_.c_str());
    if (box != nullptr) {
        if (::IsIconic(box)) {
            ::ShowWindow(box, SW_RESTORE);
        }
        ::SetForegroundWindow(box);
    }
}

bool WinUpdaterPlatform::CanWriteProgramKey() {
    return vt::CanWriteProgramKey(registry_);
}

void WinUpdaterPlatform::Tell(const std::wstring& caption, const std::wstring& text, Icon icon) {
    ::MessageBoxW(nullptr, text.c_str(), caption.c_str(),
                  MB_OK | IconFlag(icon) | MB_SETFOREGROUND);
}

bool WinUpdaterPlatform::AskYesNo(const std::wstring& caption, const std::wstring& text) {
    return ::MessageBoxW(nullptr, text.c_str(), caption.c_str(),
                         MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) == IDYES;
}

}  // namespace vt
