#pragma once

#include "ui/ClickSound.h"

namespace vt::win {

// The embedded "CLICK" wave, played synchronously: the caller's action follows the click.
class Sound final : public ClickSound {
public:
    void PlayClickSound() noexcept override;
};

}  // namespace vt::win
