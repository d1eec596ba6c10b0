#pragma once

#include <windows.h>

#include <vector>

#include "i18n/FormModel.h"
#include "ui/win/Handles.h"
#include "ui/win/Layout.h"

namespace vt::win {

class Control;
class Form;

// What forms and panels share: a window with a colour of its own that paints its painted
// children (pictures, bevels) in layout order (into one buffer when the form is double-buffered),
// paints under its transparent labels (always buffered), routes its children's notifications to
// them and tracks the pointer over painted children.
class Container {
public:
    virtual ~Container() = default;

    virtual HWND ContainerWindow() const noexcept = 0;
    virtual FontSpec ContainerFont() const = 0;
    virtual Colour ContainerColour() const noexcept = 0;
    virtual int ContainerCursor() const noexcept = 0;
    // The container as a control of its form; nullptr for the form itself.
    virtual Control* AsControl() noexcept = 0;

    void AddChild(Control& child) { children_.push_back(&child); }
    const std::vector<Control*>& Children() const noexcept { return children_; }

    // Paints the background and the painted children over `area` (client coordinates).
    void PaintBackground(HDC dc, const RECT& area);

protected:
    // Container messages of the window; true when handled, with the result in `result`.
    bool HandleContainerMessage(Form& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                LRESULT& result);

private:
    Control* PaintedChildAt(POINT point) const noexcept;
    // Through one off-screen bitmap when `buffered`, so that nothing flickers.
    void PaintBuffered(HWND window, bool buffered);
    void DrawLabel(const DRAWITEMSTRUCT& item);
    HBRUSH BackgroundBrush();

    std::vector<Control*> children_;
    Control* pressed_ = nullptr;
    bool tracking_ = false;
    UniqueBrush brush_;
    COLORREF brushColour_ = CLR_INVALID;
};

}  // namespace vt::win
