#pragma once

#include <string>

#include "i18n/Captions.h"
#include "ui/ProgressStep.h"
#include "ui/ProgressView.h"
#include "ui/win/Form.h"

namespace vt {

namespace win {
// TVTSettingsForm as laid out.
const FormDef& SettingsFormDefinition() noexcept;
}  // namespace win

// The progress window: a bold heading naming the operation, a bar and the line of the current
// step. It offers no way to close it: while an operation runs it refuses every close request
// (Alt+F4, WM_CLOSE from anywhere); the operation hides it at its end.
class TVTSettingsForm final : public win::Form, public ProgressView, private ProgressDisplay {
public:
    TVTSettingsForm(const Captions& captions, PacingPlatform& pacing);

    // Runs at every showing: icon-title font, font adaptation, language table, bar at 0.
    void FormShow(win::Form& sender) noexcept;

    // ProgressView: what the operations do with the window.
    void ShowOverMainWindow() override;
    void SetHeading(const std::wstring& text) override;
    void BeginSteps(int total) override;
    void Step(const std::wstring& text) override;
    // Ends the operation's hold on the window and hides it.
    void Close() override;

    bool OperationRunning() const noexcept { return running_; }

private:
    void SetStepText(const std::wstring& text) override;
    void SetBarPosition(int position) override;

    const Captions& captions_;
    PacingPlatform& pacing_;
    bool running_ = false;
};

}  // namespace vt
