#pragma once

namespace vt::win {

// Runs an event handler; whatever it throws ends it there and goes no further.
template <typename F>
void GuardHandler(F&& handler) noexcept {
    try {
        handler();
    } catch (...) {
    }
}

}  // namespace vt::win
