#include "update/win/WinCheckMode.h"

#include "shell/WebHost.h"
#include "shell/win/WinLauncher.h"
#include "update/CheckMode.h"
#include "update/win/WinCheckModeParts.h"
#include "update/win/WinHttpUpdateQuery.h"

namespace vt {

void RunWinCheckMode(const Captions& captions) noexcept {
    try {
        WinHttpUpdateQuery query(kWebHost);
        WinWindowCloser closer;
        WinMessageDialog dialog;
        WinLauncher launcher;
        RunCheckMode(query, closer, dialog, launcher, captions);
    } catch (...) {
    }
}

}  // namespace vt
