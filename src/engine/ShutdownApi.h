#pragma once

#include <cstdint>
#include <string>

namespace vt {

// The platform calls behind restarting Windows, so that their order can be checked anywhere.

using TokenHandle = std::uintptr_t;

struct PrivilegeLuid {
    std::uint32_t lowPart = 0;
    std::int32_t highPart = 0;
    bool operator==(const PrivilegeLuid&) const = default;
};

// TOKEN_PRIVILEGES with exactly one entry (16 bytes on Windows).
struct OnePrivilege {
    std::uint32_t privilegeCount = 1;
    PrivilegeLuid luid;
    std::uint32_t attributes = 0;
    bool operator==(const OnePrivilege&) const = default;
};

class ShutdownApi {
public:
    virtual ~ShutdownApi() = default;
    // OpenProcessToken on the current process.
    virtual bool OpenProcessToken(std::uint32_t access, TokenHandle& token) = 0;
    // LookupPrivilegeValueW on the local system.
    virtual bool LookupPrivilegeId(const std::wstring& name, PrivilegeLuid& luid) = 0;
    virtual bool AdjustTokenPrivileges(TokenHandle token, bool disableAll,
                                       const OnePrivilege& newState, std::uint32_t bufferLength,
                                       OnePrivilege* previousState,
                                       std::uint32_t* returnLength) = 0;
    virtual void CloseHandle(TokenHandle token) = 0;
    virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
};

}  // namespace vt
