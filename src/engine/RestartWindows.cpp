#include "engine/RestartWindows.h"

namespace vt {

void SetShutdownPrivilege(ShutdownApi& api, bool enable) noexcept {
    try {
        TokenHandle token = 0;
        if (!api.OpenProcessToken(shutdown::kTokenAdjustPrivileges | shutdown::kTokenQuery,
                                  token)) {
            return;  // no token, nothing to adjust or close
        }
        OnePrivilege privilege;
        privilege.privilegeCount = 1;
        api.LookupPrivilegeId(L"SeShutdownPrivilege", privilege.luid);
        privilege.attributes = enable ? shutdown::kPrivilegeEnabled : 0;
        OnePrivilege previous;
        std::uint32_t returnLength = 0;
        api.AdjustTokenPrivileges(token, false, privilege, shutdown::kRecordSize, &previous,
                                  &returnLength);
        api.CloseHandle(token);
    } catch (...) {
    }
}

void WindowsRestarter::RestartWindows() noexcept {
    try {
        SetShutdownPrivilege(api_, true);
        api_.ExitWindowsEx(shutdown::kReboot | shutdown::kForceIfHung,
                           shutdown::kPlannedReconfiguration);
    } catch (...) {
    }
    SetShutdownPrivilege(api_, false);
}

}  // namespace vt
