#pragma once

#include <cstdint>

#include "i18n/FormModel.h"

namespace vt {

// What the main window asks of the running system when it is created.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // The icon-title font, or the system font when the platform reports none.
    virtual FontSpec IconTitleFont() const = 0;
    // The Windows version code of the running system, or -1.
    virtual std::int32_t WindowsVersion() const = 0;
};

}  // namespace vt
