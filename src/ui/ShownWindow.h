#pragma once

namespace vt {

// A window whose visibility the help key asks about.
class ShownWindow {
public:
    virtual ~ShownWindow() = default;
    virtual bool IsVisible() const = 0;
};

}  // namespace vt
