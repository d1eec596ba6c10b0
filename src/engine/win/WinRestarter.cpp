#include "engine/win/WinRestarter.h"

#include <windows.h>

namespace vt {

void SetShutdownPrivilege(bool enable) noexcept {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    ::LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    TOKEN_PRIVILEGES previous{};
    DWORD length = 0;
    ::AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, &previous, &length);
    ::CloseHandle(token);
}

void WinRestarter::RestartWindows() noexcept {
    SetShutdownPrivilege(true);
    // Applications that answer are asked to close (unsaved work in them is not thrown away);
    // only hung ones are ended.
    ::ExitWindowsEx(EWX_REBOOT | EWX_FORCEIFHUNG, SHTDN_REASON_MAJOR_APPLICATION |
                                                      SHTDN_REASON_MINOR_RECONFIG |
                                                      SHTDN_REASON_FLAG_PLANNED);
    SetShutdownPrivilege(false);
}

}  // namespace vt
