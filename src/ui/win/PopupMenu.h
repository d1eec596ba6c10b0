#pragma once

#include <vector>

#include "ui/win/Control.h"

namespace vt::win {

class PopupMenu;

// A command of a popup menu; its text is the item's caption ("&" marks the accelerator).
class MenuItem final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND) override {}
    void ApplyDpi() override {}
    void Attach(PopupMenu& menu) noexcept { menu_ = &menu; }

protected:
    void TextChanged() override;

private:
    PopupMenu* menu_ = nullptr;
};

// A menu that opens at a point with its right edge there, animated top to bottom, tracking the
// left mouse button; the chosen item raises its OnClick after the menu has closed.
class PopupMenu final : public Control {
public:
    using Control::Control;

    void CreateIn(HWND) override;
    void ApplyDpi() override {}
    void AddItem(MenuItem& item);
    void Popup(int x, int y);
    HMENU Handle() const noexcept { return menu_.get(); }
    void UpdateItemText(const MenuItem& item) noexcept;

private:
    UniqueMenu menu_;
    std::vector<MenuItem*> items_;
};

}  // namespace vt::win
