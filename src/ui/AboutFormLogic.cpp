#include "ui/AboutFormLogic.h"

#include "app/ProgramVersion.h"
#include "i18n/SystemFont.h"
#include "shell/ProgramFiles.h"

namespace vt {
namespace {

inline constexpr int kF1 = 112;

void SetUnderline(FormComponent& sender, bool underline) {
    std::optional<FontSpec> font = sender.Font();
    if (!font) {
        return;
    }
    font->style = underline ? (font->style | font_style::kUnderline)
                            : (font->style & ~font_style::kUnderline);
    sender.SetFont(*font);
}

}  // namespace

void AboutFormLogic::FormShow() noexcept {
    try {
        Form& window = view_.Model();
        window.SetFont(view_.IconTitleFont());
        AdaptFonts(window);
        // Emptied first: without a table row for it the label would keep the version of the last
        // showing and get it appended again.
        view_.SetVersionText(L"");
        captions_.ApplyCaptions(window);
        view_.SetVersionText(view_.VersionText() + kProgramVersion + L")");
        view_.FocusCloseButton();
    } catch (...) {
    }
}

void AboutFormLogic::HelpButtonClick() noexcept {
    try {
        bool handled = false;
        shortCut_(kF1, handled);
    } catch (...) {
    }
}

void AboutFormLogic::LicenseAgreementLabelClick() noexcept {
    try {
        sound_.PlayClickSound();
        launcher_.OpenDocument(launcher_.ProgramFolder() + kLicenseFile, L"");
    } catch (...) {
    }
}

void AboutFormLogic::LicenseAgreementLabelMouseEnter(FormComponent& sender) noexcept {
    try {
        SetUnderline(sender, true);
    } catch (...) {
    }
}

void AboutFormLogic::LicenseAgreementLabelMouseLeave(FormComponent& sender) noexcept {
    try {
        SetUnderline(sender, false);
    } catch (...) {
    }
}

}  // namespace vt
