#pragma once

#include <windows.h>

#include <string>

#include "ui/win/Handles.h"

namespace vt::win {

// The window that shows the current hint. The application makes one of the class it is told
// (Application::SetHintWindowClass), asks it for the size of a hint text, then to show the text
// at a place; this base class draws the text itself in the screen's hint font.
class HintWindow {
public:
    HintWindow() = default;
    virtual ~HintWindow() = default;
    HintWindow(const HintWindow&) = delete;
    HintWindow& operator=(const HintWindow&) = delete;

    // The box (0, 0, width, height) the text needs.
    virtual RECT CalcHintRect(int maxWidth, const std::wstring& hint, void* data);
    // Shows the text with its top left corner at the rectangle's (screen coordinates).
    virtual void ActivateHint(const RECT& rect, const std::wstring& hint);
    // Takes the hint off the screen.
    virtual void ReleaseHandle();

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
    HWND Handle() const noexcept { return window_.get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring caption_;
    UniqueHwnd window_;
};

}  // namespace vt::win
