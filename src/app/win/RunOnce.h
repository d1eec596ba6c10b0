#pragma once

#include <string>

#include "app/EntrySequence.h"

namespace vt {

// The first top-level window of the class (any title); with `activate` it is restored from
// minimized and made the foreground window. True whenever the window exists, even when Windows
// refuses the foreground; any failure gives false.
bool FindRunningInstance(const std::wstring& className, bool activate) noexcept;

class WinInstanceFinder final : public InstanceFinder {
public:
    bool FindRunningInstance(const std::wstring& className, bool activate) noexcept override {
        return vt::FindRunningInstance(className, activate);
    }
};

}  // namespace vt
