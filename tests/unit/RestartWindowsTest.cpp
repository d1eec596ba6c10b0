#include "engine/RestartWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vt {
namespace {

// Records each call with its arguments; ExitWindowsEx answers as told.
class RecordingShutdown final : public ShutdownApi {
public:
    bool OpenProcessToken(std::uint32_t access, TokenHandle& token) override {
        calls.push_back(L"open " + std::to_wstring(access));
        token = 77;
        return tokenOpens;
    }
    bool LookupPrivilegeId(const std::wstring& name, PrivilegeLuid& luid) override {
        calls.push_back(L"lookup " + name);
        luid = PrivilegeLuid{19, 0};
        return true;
    }
    bool AdjustTokenPrivileges(TokenHandle token, bool disableAll, const OnePrivilege& state,
                               std::uint32_t length, OnePrivilege* previous,
                               std::uint32_t* returnLength) override {
        calls.push_back(
            L"adjust " + std::to_wstring(token) + L" all=" + std::to_wstring(disableAll) +
            L" count=" + std::to_wstring(state.privilegeCount) + L" luid=" +
            std::to_wstring(state.luid.lowPart) + L" attr=" + std::to_wstring(state.attributes) +
            L" len=" + std::to_wstring(length) + L" prev=" + std::to_wstring(previous != nullptr) +
            L" ret=" + std::to_wstring(returnLength != nullptr ? *returnLength : 99));
        return true;
    }
    void CloseHandle(TokenHandle token) override {
        calls.push_back(L"close " + std::to_wstring(token));
    }
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override {
        calls.push_back(L"exit " + std::to_wstring(flags) + L" " + std::to_wstring(reason));
        return accepts;
    }

    std::vector<std::wstring> calls;
    bool tokenOpens = true;
    bool accepts = true;
};

const std::vector<std::wstring> kEnable{
    L"open 40", L"lookup SeShutdownPrivilege",
    L"adjust 77 all=0 count=1 luid=19 attr=2 len=16 prev=1 ret=0", L"close 77"};
const std::vector<std::wstring> kDisable{
    L"open 40", L"lookup SeShutdownPrivilege",
    L"adjust 77 all=0 count=1 luid=19 attr=0 len=16 prev=1 ret=0", L"close 77"};
// EWX_REBOOT | EWX_FORCEIFHUNG; planned application reconfiguration.
const std::wstring kRequest = L"exit 18 " + std::to_wstring(0x80040004u);

std::vector<std::wstring> Restart() {
    std::vector<std::wstring> calls = kEnable;
    calls.push_back(kRequest);
    calls.insert(calls.end(), kDisable.begin(), kDisable.end());
    return calls;
}

TEST(RestartWindows, EnableRequestDisableWhetherAcceptedOrNot) {
    for (bool accepts : {true, false}) {
        RecordingShutdown api;
        api.accepts = accepts;
        WindowsRestarter restarter(api);
        restarter.RestartWindows();
        EXPECT_EQ(api.calls, Restart()) << accepts;

        // A second call, after a refused request too, runs the same three steps again.
        api.calls.clear();
        restarter.RestartWindows();
        EXPECT_EQ(api.calls, Restart()) << accepts;
    }
}

TEST(RestartWindows, WithoutATokenNothingIsAdjustedButTheRequestIsMade) {
    RecordingShutdown api;
    api.tokenOpens = false;
    WindowsRestarter(api).RestartWindows();
    const std::vector<std::wstring> expected{L"open 40", kRequest, L"open 40"};
    EXPECT_EQ(api.calls, expected);
}

TEST(RestartWindows, PrivilegeSwitch) {
    RecordingShutdown api;
    SetShutdownPrivilege(api, true);
    EXPECT_EQ(api.calls, kEnable);
    api.calls.clear();
    SetShutdownPrivilege(api, false);
    EXPECT_EQ(api.calls, kDisable);
}

}  // namespace
}  // namespace vt
