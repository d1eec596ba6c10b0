#pragma once

#include <string>

namespace vt {

// What the optimize and Restore operations need of the progress window.
class ProgressView {
public:
    virtual ~ProgressView() = default;

    // Centred over the main window and shown modeless; the bar starts at 0.
    virtual void ShowOverMainWindow() = 0;
    // The CurrentSettingsHeading line above the bar.
    virtual void SetHeading(const std::wstring& text) = 0;
    // ProgressTotal = total, ProgressCount = 0.
    virtual void BeginSteps(int total) = 0;
    // One paced step (ProgressStep) with its text already looked up.
    virtual void Step(const std::wstring& text) = 0;
    // Hides the window; the only way it closes while an operation runs.
    virtual void Close() = 0;
};

}  // namespace vt
