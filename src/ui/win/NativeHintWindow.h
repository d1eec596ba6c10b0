#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win/HintWindow.h"

namespace vt::win {

// The application's hint window shown by the platform's own tooltip control: a tracking
// "tooltips_class32" tooltip in the platform's tooltip font and style, with hint timing from the
// double-click time. The toolkit's own hint window of this class is never created, drawn or
// sized; it only keeps the text of the current hint as its caption.
class THintWindowFix final : public HintWindow {
public:
    THintWindowFix();
    ~THintWindowFix() override;

    RECT CalcHintRect(int maxWidth, const std::wstring& hint, void* data) override;
    void ActivateHint(const RECT& rect, const std::wstring& hint) override;
    // Removes the tooltip this window shows, if any.
    void ReleaseHandle() override;

    HWND TipWindow() const noexcept { return tipWindow_; }

private:
    HWND CreateTipWindow(POINT point, const std::wstring& text);
    void AppHintHandler();

    std::function<void()> oldAppHintHandler_;
    HWND tipWindow_ = nullptr;
};

// The live hint windows, oldest first.
const std::vector<THintWindowFix*>& HintWindowList() noexcept;

// Makes THintWindowFix the application's hint-window class and routes every request to hide the
// current hint to HideNativeHint. Run once at process start, before any window exists.
void InstallNativeHintWindow() noexcept;

// Removes the tooltip of the oldest live hint window; nothing when there is none.
void HideNativeHint() noexcept;

// One line of text in the screen's hint font; (0, 0) on failure.
SIZE GetTextSize(const std::wstring& text) noexcept;
// Lines separated by CR LF, with `lineSpacing` pixels between them; (0, 0) on failure.
SIZE GetMultiLineTextSize(const std::wstring& text, int lineSpacing) noexcept;

}  // namespace vt::win
