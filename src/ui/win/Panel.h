#pragma once

#include "ui/win/Container.h"
#include "ui/win/Control.h"

namespace vt::win {

// A child window with a colour of its own and no bevel, holding other controls.
class Panel final : public Control, public Container {
public:
    using Control::Control;

    HWND ContainerWindow() const noexcept override { return Handle(); }
    FontSpec ContainerFont() const override { return EffectiveFont(); }
    Colour ContainerColour() const noexcept override;
    int ContainerCursor() const noexcept override { return Cursor(); }
    Control* AsControl() noexcept override { return this; }

    void CreateIn(HWND parentWindow) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace vt::win
