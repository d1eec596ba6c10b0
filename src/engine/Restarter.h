#pragma once

namespace vt {

// Asks Windows to restart; returns once the request is made, whether or not it was accepted.
class Restarter {
public:
    virtual ~Restarter() = default;
    virtual void RestartWindows() noexcept = 0;
};

}  // namespace vt
