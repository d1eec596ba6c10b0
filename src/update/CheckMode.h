#pragma once

#include <string>

#include "i18n/Captions.h"
#include "shell/Launcher.h"
#include "update/UpdateQuery.h"

namespace vt {

// Closes the first top-level window of a class, waiting until it has handled the request; nothing
// when there is none.
class WindowCloser {
public:
    virtual ~WindowCloser() = default;
    virtual void CloseWindowByClass(const std::wstring& className) noexcept = 0;
};

// A system message box without owner window.
class MessageDialog {
public:
    virtual ~MessageDialog() = default;
    // `type` holds the MB_* flags; returns the ID* of the button pressed.
    virtual int ShowMessage(const std::wstring& text, const std::wstring& caption,
                            unsigned type) noexcept = 0;
};

inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr int kIdYes = 6;

// The windowless second process: asks the update endpoint and, when an update is available,
// closes the running program's windows, asks the user and on Yes starts the updater. Call it from
// the start-up sequence when the first argument is "/checkupdate", then create no window:
//
//     WinHttpUpdateQuery query(kWebHost);
//     WinWindowCloser closer;
//     WinMessageDialog dialog;
//     WinLauncher launcher;
//     RunCheckMode(query, closer, dialog, launcher, captions);
//
// (RunWinCheckMode(captions) in update/win/WinCheckMode.h does exactly this.)
// Never throws.
void RunCheckMode(UpdateQuery& query, WindowCloser& closer, MessageDialog& dialog,
                  Launcher& launcher, const Captions& captions) noexcept;

}  // namespace vt
