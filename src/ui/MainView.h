#pragma once

#include <string>

#include "i18n/FormModel.h"
#include "ui/ShownWindow.h"

namespace vt {

// A rectangle in pixels: screen coordinates for the window, client coordinates for a control.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The main window's size with and without its frame, and its place on the screen.
struct WindowGeometry {
    PixelBox outer;
    int clientWidth = 0;
    int clientHeight = 0;
};

// What the main window's logic needs of the real window and its controls. Controls are named as
// in the window's layout.
class MainView : public ShownWindow {
public:
    // The window as the language table and the font adaptation see it.
    virtual Form& AsForm() = 0;

    virtual std::wstring Caption() const = 0;
    virtual std::wstring ControlText(const std::wstring& control) const = 0;
    virtual void SetControlText(const std::wstring& control, const std::wstring& text) = 0;

    // Item indexes; -1 is no selection.
    virtual int WindowsItem() const = 0;
    virtual void SelectWindowsItem(int index) = 0;
    virtual int ProcessorItem() const = 0;
    virtual void SelectProcessorItem(int index) = 0;
    virtual int SpeedPosition() const = 0;
    virtual void SetSpeedPosition(int position) = 0;

    virtual void SetRestoreEnabled(bool enabled) = 0;
    // The whole window, while an operation runs.
    virtual void SetEnabled(bool enabled) = 0;
    // Refused while the window is hidden; the first control gets the focus when it is shown.
    virtual void RequestFocus() = 0;

    virtual WindowGeometry Geometry() const = 0;
    virtual PixelBox ControlBounds(const std::wstring& control) const = 0;
    // PopupMenu with its right edge at x and its top at y (screen coordinates).
    virtual void ShowPopupMenu(int x, int y) = 0;

    // A close request carried out once the running handler has returned.
    virtual void PostClose() = 0;
    // Asks Windows to wait before ending the session, with a reason it may show; and lets it go.
    virtual void BlockShutdown(const std::wstring& reason) = 0;
    virtual void UnblockShutdown() = 0;
};

}  // namespace vt
