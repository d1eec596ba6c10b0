#include "ui/RestoreOperation.h"

#include "engine/TweakCatalogue.h"
#include "engine/WindowsVersion.h"
#include "registry/ProgramKey.h"

namespace vt {

void RunRestore(const OperationParts& parts, OperationState& state) noexcept {
    if (state.Busy()) {
        return;
    }
    try {
        using namespace program_key;
        OperationScope scope(state, parts.view);
        const std::wstring caption = parts.view.Caption();
        const std::wstring question =
            JoinParagraphs({parts.captions.GetCaption(kMainWindowName, L"MessageBoxReset1"),
                            parts.captions.GetCaption(kMainWindowName, L"MessageBoxReset2")});
        if (parts.dialogs.Ask(question, caption, box::kOkCancel | box::kIconWarning) !=
                box::kIdOk ||
            scope.CloseRequested()) {
            return;
        }
        if (!CheckRights(parts, caption)) {
            return;
        }
        const std::wstring heading =
            parts.captions.GetCaption(kProgressWindowName, L"MessageRestore");
        scope.BeginChanges(heading);
        parts.sound.PlayClickSound();

        MainWindowLoan loan(parts.view, parts.progress);
        loan.Lend();
        parts.progress.BeginSteps(StepCount(RestoreSteps()));
        parts.progress.SetHeading(heading);
        RunSteps(parts.progress, parts.captions, RestoreSteps());

        const std::int32_t versionCode = ConvertWindowsVersion(parts.view.WindowsItem());
        PutBackTweaks(parts.registry, versionCode);
        // Removed once every value is back and before the backup goes: the flag never stands
        // without the backup it promises, and never goes while tweaked values remain.
        parts.registry.DeleteRegValue(kRoot, kPath, kRestore, false);
        DropTweakBackup(parts.registry);
        scope.ChangesDone();

        loan.GiveBack();
        parts.view.SetRestoreEnabled(false);
        if (scope.CloseRequested()) {
            return;
        }
        AskRestart(parts, caption);
    } catch (...) {
    }
}

}  // namespace vt
