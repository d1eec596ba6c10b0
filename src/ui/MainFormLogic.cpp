#include "ui/MainFormLogic.h"

#include <algorithm>

#include "engine/WindowsVersion.h"
#include "i18n/AsciiCase.h"
#include "i18n/SystemFont.h"
#include "registry/ProgramKey.h"
#include "shell/ProgramFiles.h"
#include "shell/WebHost.h"
#include "ui/OptimizeOperation.h"
#include "ui/RestoreOperation.h"
#include "update/UpdateAgeRule.h"

namespace vt {
namespace {

constexpr int kMaxSpeedSetting = 1;
constexpr int kProcessorItems = 3;

// The characters from the tenth on, without surrounding blanks: "3" for "NavButton3" and for
// "NavStatic3" alike.
std::wstring NavigationDigits(const std::wstring& name) {
    std::wstring rest = name.size() > 9 ? name.substr(9) : std::wstring();
    const auto first = rest.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        return {};
    }
    return rest.substr(first, rest.find_last_not_of(L' ') - first + 1);
}

}  // namespace

OperationParts MainFormLogic::Operation() const {
    return {parts_.view,      parts_.progress, parts_.dialogs,  parts_.sound,
            parts_.restarter, parts_.backend,  parts_.registry, parts_.captions};
}

void MainFormLogic::FormCreate() noexcept {
    try {
        using namespace program_key;
        MainView& view = parts_.view;
        CustomRegistry& registry = parts_.registry;

        Form& form = view.AsForm();
        form.SetFont(parts_.system.IconTitleFont());
        AdaptFonts(form);
        parts_.captions.ApplyCaptions(form);

        std::wstring date = StampToDisplayText(
            registry.ReadRegString(kRoot, kPath, kUpdatedDate, kDefaultUpdatedDateText, false),
            parts_.dates);
        if (date.empty()) {
            date = StampToDisplayText(
                registry.ReadRegString(kRoot, kPath, kInstalledDate, kDefaultInstalledDate, false),
                parts_.dates);
        }
        const std::int32_t processorType =
            registry.ReadRegInteger(kRoot, kPath, kProcessorType, kDefaultProcessorType, false);
        const std::int32_t speedSetting =
            registry.ReadRegInteger(kRoot, kPath, kSpeedSetting, kDefaultSpeedSetting, false);
        const bool restore = registry.ReadRegBool(kRoot, kPath, kRestore, kDefaultRestore, false);

        view.SetControlText(L"SoftwareLastUpdateLabel",
                            view.ControlText(L"SoftwareLastUpdateLabel") + date);
        view.SetControlText(L"VersionInstalledLabel",
                            view.ControlText(L"VersionInstalledLabel") + kProgramVersion);

        view.SelectWindowsItem(WindowsComboIndexForVersion(parts_.system.WindowsVersion()));
        const int processor =
            processorType == kDefaultProcessorType ? PreselectProcessor(registry) : processorType;
        view.SelectProcessorItem(processor >= 0 && processor < kProcessorItems ? processor : -1);
        view.SetRestoreEnabled(restore);
        view.SetSpeedPosition(std::clamp(speedSetting, 0, kMaxSpeedSetting));

        if (RunUpdateAgeRule(registry, parts_.clock, parts_.dates, parts_.launcher) ==
            UpdateAgeOutcome::DateUnreadable) {
            return;
        }
        view.RequestFocus();
    } catch (...) {
    }
}

void MainFormLogic::Raise(const std::wstring& control, MainEvent event) noexcept {
    for (const MainBinding& binding : MainFormBindings()) {
        if (binding.event == event && control == binding.control) {
            Run(binding.handler, control);
            return;
        }
    }
}

void MainFormLogic::Run(MainHandler handler, const std::wstring& sender) noexcept {
    switch (handler) {
        case MainHandler::NavButton1Click:
            return NavButton1Click();
        case MainHandler::NavButton2Click:
            return NavButton2Click();
        case MainHandler::NavButton3Click:
            return NavButton3Click();
        case MainHandler::NavButton4Click:
            return NavButton4Click();
        case MainHandler::HelpFilePopupClick:
            return HelpFilePopupClick();
        case MainHandler::UpdatesButtonClick:
            return UpdatesButtonClick();
        case MainHandler::GoButtonClick:
            return GoButtonClick();
        case MainHandler::RestoreButtonClick:
            return RestoreButtonClick();
        case MainHandler::NavButtonMouseEnter:
            return NavButtonMouseEnter(sender);
        case MainHandler::NavButtonMouseLeave:
            return NavButtonMouseLeave(sender);
        case MainHandler::LabelMouseEnter:
            return LabelMouseEnter(sender);
        case MainHandler::LabelMouseLeave:
            return LabelMouseLeave(sender);
    }
}

void MainFormLogic::ApplicationEventsShortCut(const KeyMessage& msg, bool& handled) noexcept {
    static_cast<void>(handled);  // left as given: the key goes on to its normal processing
    try {
        if (msg.virtualKey != kHelpKey) {
            return;
        }
        if (parts_.about.IsVisible() || parts_.progressWindow.IsVisible() ||
            parts_.view.IsVisible()) {
            parts_.launcher.ShowHelpTopic(kHelpFile, kHelpTopic);
        }
    } catch (...) {
    }
}

void MainFormLogic::NavButton1Click() noexcept {
    if (state_.Busy()) {
        return;
    }
    try {
        // The menu runs a loop of its own: the window must outlive it.
        OperationScope scope(state_, parts_.view);
        const WindowGeometry window = parts_.view.Geometry();
        const PixelBox button = parts_.view.ControlBounds(L"NavButton1");
        const int x = window.outer.left + (window.outer.width - window.clientWidth) + button.left +
                      button.width;
        const int y = window.outer.top + (window.outer.height - window.clientHeight) + button.top +
                      button.height;
        parts_.view.ShowPopupMenu(x, y);
    } catch (...) {
    }
}

void MainFormLogic::NavButton2Click() noexcept {
    try {
        parts_.sound.PlayClickSound();
        parts_.launcher.OpenLink(HomePage());
    } catch (...) {
    }
}

void MainFormLogic::NavButton3Click() noexcept {
    try {
        parts_.sound.PlayClickSound();
        parts_.launcher.OpenLink(SupportPage());
    } catch (...) {
    }
}

void MainFormLogic::NavButton4Click() noexcept {
    if (state_.Busy()) {
        return;
    }
    try {
        // The About window is modal and owned by this one: this window must outlive it.
        OperationScope scope(state_, parts_.view);
        parts_.sound.PlayClickSound();
        parts_.about.ShowModalOverMainWindow();
    } catch (...) {
    }
}

void MainFormLogic::HelpFilePopupClick() noexcept {
    bool handled = false;
    ApplicationEventsShortCut(KeyMessage{kHelpKey}, handled);
}

void MainFormLogic::UpdatesButtonClick() noexcept {
    try {
        parts_.sound.PlayClickSound();
        parts_.launcher.StartProgram(parts_.launcher.ProgramFolder() + kUpdaterFile, L"");
    } catch (...) {
    }
}

void MainFormLogic::GoButtonClick() noexcept {
    RunOptimize(Operation(), state_);
}

void MainFormLogic::RestoreButtonClick() noexcept {
    RunRestore(Operation(), state_);
}

void MainFormLogic::NavButtonMouseEnter(const std::wstring& sender) noexcept {
    SetUnderline(L"NavStatic" + NavigationDigits(sender), true);
}

void MainFormLogic::NavButtonMouseLeave(const std::wstring& sender) noexcept {
    SetUnderline(L"NavStatic" + NavigationDigits(sender), false);
}

void MainFormLogic::LabelMouseEnter(const std::wstring& sender) noexcept {
    SetUnderline(sender, true);
}

void MainFormLogic::LabelMouseLeave(const std::wstring& sender) noexcept {
    SetUnderline(sender, false);
}

void MainFormLogic::SetUnderline(const std::wstring& control, bool underline) noexcept {
    try {
        Form& form = parts_.view.AsForm();
        for (std::size_t i = 0; i < form.ComponentCount(); ++i) {
            FormComponent* component = form.Component(i);
            if (component == nullptr || !AsciiEqualNoCase(component->Name(), control)) {
                continue;
            }
            std::optional<FontSpec> font = component->Font();
            if (!font) {
                return;
            }
            font->style = underline ? (font->style | font_style::kUnderline)
                                    : (font->style & ~font_style::kUnderline);
            component->SetFont(*font);
            return;
        }
    } catch (...) {
    }
}

}  // namespace vt
