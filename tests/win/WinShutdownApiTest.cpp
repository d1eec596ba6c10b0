#include <windows.h>

#include <gtest/gtest.h>

#include "engine/RestartWindows.h"
#include "engine/win/WinShutdownApi.h"

namespace vt {
namespace {

// The real token calls; the restart request itself is recorded, never made (under Wine it ends
// every process of the prefix).
class NoRestart final : public ShutdownApi {
public:
    bool OpenProcessToken(std::uint32_t access, TokenHandle& token) override {
        opened = real.OpenProcessToken(access, token);
        return opened;
    }
    bool LookupPrivilegeId(const std::wstring& name, PrivilegeLuid& luid) override {
        looked = real.LookupPrivilegeId(name, luid);
        return looked;
    }
    bool AdjustTokenPrivileges(TokenHandle token, bool all, const OnePrivilege& state,
                               std::uint32_t length, OnePrivilege* previous,
                               std::uint32_t* returned) override {
        const bool done = real.AdjustTokenPrivileges(token, all, state, length, previous, returned);
        adjusted += done ? 1 : 0;
        return done;
    }
    void CloseHandle(TokenHandle token) override {
        ++closed;
        real.CloseHandle(token);
    }
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override {
        requestedFlags = flags;
        requestedReason = reason;
        return false;
    }

    WinShutdownApi real;
    bool opened = false;
    bool looked = false;
    int adjusted = 0;
    int closed = 0;
    std::uint32_t requestedFlags = 0;
    std::uint32_t requestedReason = 0;
};

TEST(WinShutdownApi, RealTokenCallsAroundTheRequest) {
    NoRestart api;
    WindowsRestarter(api).RestartWindows();
    EXPECT_TRUE(api.opened);
    EXPECT_TRUE(api.looked);
    EXPECT_EQ(api.adjusted, 2);
    EXPECT_EQ(api.closed, 2);
    EXPECT_EQ(api.requestedFlags, static_cast<std::uint32_t>(EWX_REBOOT | EWX_FORCEIFHUNG));
    EXPECT_EQ(api.requestedReason,
              static_cast<std::uint32_t>(SHTDN_REASON_MAJOR_APPLICATION |
                                         SHTDN_REASON_MINOR_RECONFIG | SHTDN_REASON_FLAG_PLANNED));
    EXPECT_EQ(sizeof(TOKEN_PRIVILEGES), shutdown::kRecordSize);
}

}  // namespace
}  // namespace vt
