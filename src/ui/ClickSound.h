#pragma once

namespace vt {

// The click that buttons and links make before their action.
class ClickSound {
public:
    virtual ~ClickSound() = default;
    virtual void PlayClickSound() noexcept = 0;
};

}  // namespace vt
