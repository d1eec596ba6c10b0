#pragma once

#include <cstdint>

#include "engine/Restarter.h"
#include "engine/ShutdownApi.h"

namespace vt {

namespace shutdown {
inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t kTokenQuery = 0x08;
inline constexpr std::uint32_t kPrivilegeEnabled = 2;  // SE_PRIVILEGE_ENABLED
inline constexpr std::uint32_t kRecordSize = 16;       // sizeof(TOKEN_PRIVILEGES)
inline constexpr std::uint32_t kReboot = 0x02;         // EWX_REBOOT
inline constexpr std::uint32_t kForceIfHung = 0x10;    // EWX_FORCEIFHUNG
// SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_RECONFIG | SHTDN_REASON_FLAG_PLANNED
inline constexpr std::uint32_t kPlannedReconfiguration = 0x00040000u | 0x00000004u | 0x80000000u;
}  // namespace shutdown

// Enables (true) or disables (false) the shutdown privilege of the process token. Nothing
// escapes and no result is reported.
void SetShutdownPrivilege(ShutdownApi& api, bool enable) noexcept;

// Enables the privilege, asks Windows to restart, disables the privilege again. Programs that do
// not answer are ended; the others are asked to close, so their users may save their work.
class WindowsRestarter final : public Restarter {
public:
    explicit WindowsRestarter(ShutdownApi& api) noexcept : api_(api) {}
    void RestartWindows() noexcept override;

private:
    ShutdownApi& api_;
};

}  // namespace vt
