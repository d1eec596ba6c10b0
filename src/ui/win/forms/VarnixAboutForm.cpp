#include "ui/win/forms/VarnixAboutForm.h"

#include "ui/win/Fonts.h"

namespace vt {
namespace {

using namespace win;

constexpr LayoutFont kTahomaBold10{L"Tahoma", 10, font_style::kBold, kWindowTextColour};
constexpr LayoutFont kTahomaBold12White{L"Tahoma", 12, font_style::kBold, Rgb(255, 255, 255)};
constexpr LayoutFont kLinkFont{L"Tahoma", 8, 0, Rgb(0, 102, 204)};
constexpr const wchar_t* kPanel = L"AboutPanel";

// Ownership order, which is also the painting order of the panel's pictures and labels; the memo
// is a window of its own above them.
constexpr LayoutRow kRows[] = {
    {.name = kPanel,
     .kind = Kind::Panel,
     .rect = {0, 0, 700, 386},
     .colour = kWindowColour,
     .tabOrder = 1},
    {.name = L"LargeIcon",
     .kind = Kind::Picture,
     .parent = kPanel,
     .rect = {372, 130, 256, 256},
     .picture = L"LargeIcon"},
    {.name = L"VersionLabel",
     .kind = Kind::Label,
     .parent = kPanel,
     .rect = {72, 82, 0, 0},
     .font = kTahomaBold10},
    {.name = L"CopyrightLabel", .kind = Kind::Label, .parent = kPanel, .rect = {72, 101, 0, 0}},
    {.name = L"LicenseAgreementLabel",
     .kind = Kind::Label,
     .parent = kPanel,
     .rect = {72, 287, 0, 0},
     .font = kLinkFont,
     .cursor = crHandPoint},
    {.name = L"CopyrightWarningLabel",
     .kind = Kind::Label,
     .parent = kPanel,
     .rect = {72, 302, 556, 70},
     .flags = kFixedSize | kWordWrap | kCentreVertically},
    {.name = L"BannerImage",
     .kind = Kind::Picture,
     .parent = kPanel,
     .rect = {0, 0, 700, 60},
     .picture = L"BannerImage"},
    {.name = L"BannerLabel",
     .kind = Kind::Label,
     .parent = kPanel,
     .rect = {48, 18, 0, 0},
     .font = kTahomaBold12White},
    {.name = L"LicensedMemo",
     .kind = Kind::Memo,
     .parent = kPanel,
     .rect = {72, 136, 556, 73},
     .tabOrder = 0},
    {.name = L"AboutBevel", .kind = Kind::Bevel, .rect = {0, 386, 700, 5}, .flags = kEdgeTop},
    {.name = L"CloseButton",
     .kind = Kind::PushButton,
     .rect = {608, 403, 79, 25},
     .flags = kDefaultButton,
     .tabOrder = 0},
    {.name = L"HelpButton", .kind = Kind::PushButton, .rect = {14, 403, 79, 25}, .tabOrder = 2},
};

constexpr FormDef kAboutForm{.className = L"TVTAboutForm",
                             .name = L"VTAboutForm",
                             .clientWidth = 700,
                             .clientHeight = 441,
                             .border = BorderStyle::Single,
                             .titleButtons = kSystemMenu,
                             .position = Position::OwnerCentre,
                             .colour = kButtonFaceColour,
                             .doubleBuffered = true,
                             .icon = L"MAINICON",
                             .activeControl = L"CloseButton",
                             .rows = kRows,
                             .picturesWhenPainted = true};

}  // namespace

const win::FormDef& win::AboutFormDefinition() noexcept {
    return kAboutForm;
}

TVTAboutForm::TVTAboutForm(const Captions& captions, ClickSound& sound, Launcher& launcher,
                           ShortCutHandler mainWindowShortCut)
    : win::Form(kAboutForm),
      logic_(*this, captions, sound, launcher, std::move(mainWindowShortCut)) {
    OnCreate = [this](win::Form& created) { BindEvents(created); };
    OnShow = [this](win::Form&) { logic_.FormShow(); };
}

void TVTAboutForm::BindEvents(win::Form& created) {
    if (Control* close = created.FindControl(L"CloseButton")) {
        close->OnClick = [this](Control&) { Close(); };
    }
    if (Control* help = created.FindControl(L"HelpButton")) {
        help->OnClick = [this](Control&) { logic_.HelpButtonClick(); };
    }
    if (Control* link = created.FindControl(L"LicenseAgreementLabel")) {
        link->OnClick = [this](Control&) { logic_.LicenseAgreementLabelClick(); };
        link->OnMouseEnter = [this](Control& sender) {
            logic_.LicenseAgreementLabelMouseEnter(sender);
        };
        link->OnMouseLeave = [this](Control& sender) {
            logic_.LicenseAgreementLabelMouseLeave(sender);
        };
    }
}

void TVTAboutForm::ShowModalOverMainWindow() {
    SetPosition(Position::OwnerCentre);
    ShowModal();
}

FontSpec TVTAboutForm::IconTitleFont() const {
    return win::IconTitleFont();
}

std::wstring TVTAboutForm::VersionText() const {
    const Control* label = FindControl(L"VersionLabel");
    return label != nullptr ? label->Text() : std::wstring();
}

void TVTAboutForm::SetVersionText(const std::wstring& text) {
    if (Control* label = FindControl(L"VersionLabel")) {
        label->SetText(text);
    }
}

void TVTAboutForm::FocusCloseButton() {
    if (Control* close = FindControl(L"CloseButton")) {
        FocusControl(close);
        close->SetFocus();
    }
}

}  // namespace vt
