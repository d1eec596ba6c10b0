#pragma once

#include "engine/Restarter.h"

namespace vt {

// Enables the shutdown privilege, asks Windows for an immediate reboot, disables the privilege
// again. Nothing is reported: a refused request leaves the program running.
void SetShutdownPrivilege(bool enable) noexcept;

class WinRestarter final : public Restarter {
public:
    void RestartWindows() noexcept override;
};

}  // namespace vt
