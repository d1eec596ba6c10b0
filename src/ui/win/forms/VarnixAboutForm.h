#pragma once

#include "i18n/Captions.h"
#include "shell/Launcher.h"
#include "ui/AboutFormLogic.h"
#include "ui/AboutFormView.h"
#include "ui/AboutView.h"
#include "ui/ClickSound.h"
#include "ui/win/Form.h"

namespace vt {

namespace win {
// TVTAboutForm as laid out.
const FormDef& AboutFormDefinition() noexcept;
}  // namespace win

// The About window: version line, copyright, credits, legal warning, the licence link and the help
// button. Start-up creates it hidden, owned by the main window; the main window shows it modally.
// It has no cancel button, so Escape leaves it open; Enter presses the close button.
class TVTAboutForm final : public win::Form, public AboutView, private AboutFormView {
public:
    // `mainWindowShortCut` is the main window's key handler, which the Help button calls with F1.
    TVTAboutForm(const Captions& captions, ClickSound& sound, Launcher& launcher,
                 ShortCutHandler mainWindowShortCut);

    // AboutView: centred over the main window (kept inside the work area), modal.
    void ShowModalOverMainWindow() override;
    bool IsVisible() const override { return Visible(); }

    AboutFormLogic& Logic() noexcept { return logic_; }

private:
    void BindEvents(win::Form& created);

    // AboutFormView
    vt::Form& Model() override { return *this; }
    FontSpec IconTitleFont() const override;
    std::wstring VersionText() const override;
    void SetVersionText(const std::wstring& text) override;
    void FocusCloseButton() override;

    AboutFormLogic logic_;
};

}  // namespace vt
