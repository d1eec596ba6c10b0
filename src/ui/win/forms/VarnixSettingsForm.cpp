#include "ui/win/forms/VarnixSettingsForm.h"

#include "i18n/SystemFont.h"
#include "ui/win/Fonts.h"
#include "ui/win/Label.h"
#include "ui/win/ProgressBar.h"

namespace vt {
namespace {

using namespace win;

constexpr LayoutFont kTahomaBold8{L"Tahoma", 8, font_style::kBold, kWindowTextColour};

constexpr LayoutRow kRows[] = {
    {.name = L"SettingsPanel",
     .kind = Kind::Panel,
     .rect = {0, 0, 479, 146},
     .colour = kWindowColour,
     .flags = kFillParent,
     .tabOrder = 0,
     .cursor = crHourGlass},
    {.name = L"CurrentSettingsHeading",
     .kind = Kind::Label,
     .parent = L"SettingsPanel",
     .rect = {42, 30, 0, 0},
     .font = kTahomaBold8},
    {.name = L"MainProgress",
     .kind = Kind::ProgressBar,
     .parent = L"SettingsPanel",
     .rect = {42, 59, 401, 17},
     .tabOrder = 0,
     .cursor = crHourGlass,
     .rangeMin = 0,
     .rangeMax = 100},
    {.name = L"CurrentSettingsLabel",
     .kind = Kind::Label,
     .parent = L"SettingsPanel",
     .rect = {42, 94, 0, 0}},
};

constexpr FormDef kSettingsForm{.className = L"TVTSettingsForm",
                                .name = L"VTSettingsForm",
                                .clientWidth = 479,
                                .clientHeight = 146,
                                .border = BorderStyle::Single,
                                .titleButtons = kNoTitleButtons,
                                .position = Position::OwnerCentre,
                                .colour = kButtonFaceColour,
                                .doubleBuffered = true,
                                .cursor = crHourGlass,
                                .rows = kRows};

}  // namespace

const win::FormDef& win::SettingsFormDefinition() noexcept {
    return kSettingsForm;
}

TVTSettingsForm::TVTSettingsForm(const Captions& captions, PacingPlatform& pacing)
    : win::Form(kSettingsForm), captions_(captions), pacing_(pacing) {
    OnShow = [this](win::Form& sender) { FormShow(sender); };
    OnCloseQuery = [this](win::Form&) { return !running_; };
}

void TVTSettingsForm::FormShow(win::Form&) noexcept {
    try {
        SetFont(IconTitleFont());
        AdaptFonts(*this);
        captions_.ApplyCaptions(*this);
        if (auto* bar = Find<ProgressBar>(L"MainProgress")) {
            bar->SetPosition(0);
        }
    } catch (...) {
        // Ends at the failing step.
    }
}

void TVTSettingsForm::ShowOverMainWindow() {
    SetPosition(Position::OwnerCentre);
    running_ = true;
    Show();
}

void TVTSettingsForm::SetHeading(const std::wstring& text) {
    if (Control* heading = FindControl(L"CurrentSettingsHeading")) {
        heading->SetText(text);
    }
}

void TVTSettingsForm::BeginSteps(int total) {
    ProgressTotal = total;
    ProgressCount = 0;
}

void TVTSettingsForm::Step(const std::wstring& text) {
    ProgressStep(text, *this, pacing_);
}

void TVTSettingsForm::Close() {
    running_ = false;
    win::Form::Close();
}

void TVTSettingsForm::SetStepText(const std::wstring& text) {
    if (Control* line = FindControl(L"CurrentSettingsLabel")) {
        line->SetText(text);
        // Shown now, not after the sleep that follows.
        if (line->Handle() != nullptr) {
            ::UpdateWindow(line->Handle());
        }
    }
}

void TVTSettingsForm::SetBarPosition(int position) {
    if (auto* bar = Find<ProgressBar>(L"MainProgress")) {
        bar->SetPosition(position);
    }
}

}  // namespace vt
