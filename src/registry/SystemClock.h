#pragma once

#include "registry/DateStamp.h"

namespace vt {

// The local time of the running system.
class SystemClock final : public Clock {
public:
    DateTime Now() const override;
};

}  // namespace vt
