#pragma once

#include "engine/ShutdownApi.h"

namespace vt {

// advapi32 and user32: the process token and ExitWindowsEx.
class WinShutdownApi final : public ShutdownApi {
public:
    bool OpenProcessToken(std::uint32_t access, TokenHandle& token) override;
    bool LookupPrivilegeId(const std::wstring& name, PrivilegeLuid& luid) override;
    bool AdjustTokenPrivileges(TokenHandle token, bool disableAll, const OnePrivilege& newState,
                               std::uint32_t bufferLength, OnePrivilege* previousState,
                               std::uint32_t* returnLength) override;
    void CloseHandle(TokenHandle token) override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
};

}  // namespace vt
