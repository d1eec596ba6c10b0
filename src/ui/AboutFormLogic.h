#pragma once

#include <functional>

#include "i18n/Captions.h"
#include "i18n/FormModel.h"
#include "shell/Launcher.h"
#include "ui/AboutFormView.h"
#include "ui/ClickSound.h"

namespace vt {

// The main window's key handler: a virtual-key code and the handled flag it may set.
using ShortCutHandler = std::function<void(int virtualKey, bool& handled)>;

// The About window's handlers. None of them lets a failure out: each ends at the failing step.
class AboutFormLogic {
public:
    AboutFormLogic(AboutFormView& view, const Captions& captions, ClickSound& sound,
                   Launcher& launcher, ShortCutHandler mainWindowShortCut)
        : view_(view),
          captions_(captions),
          sound_(sound),
          launcher_(launcher),
          shortCut_(std::move(mainWindowShortCut)) {}

    // Every showing: icon-title font, adapted fonts, language texts, the version line built anew,
    // focus on the close button.
    void FormShow() noexcept;
    // F1 through the main window's key handler, which opens the help while this window shows.
    void HelpButtonClick() noexcept;
    void LicenseAgreementLabelClick() noexcept;
    void LicenseAgreementLabelMouseEnter(FormComponent& sender) noexcept;
    void LicenseAgreementLabelMouseLeave(FormComponent& sender) noexcept;

private:
    AboutFormView& view_;
    const Captions& captions_;
    ClickSound& sound_;
    Launcher& launcher_;
    ShortCutHandler shortCut_;
};

}  // namespace vt
