#include "ui/OptimizeOperation.h"

#include "engine/TweakCatalogue.h"
#include "engine/WindowsVersion.h"
#include "registry/ProgramKey.h"

namespace vt {

void RunOptimize(const OperationParts& parts, OperationState& state) noexcept {
    if (state.Busy()) {
        return;
    }
    try {
        using namespace program_key;
        OperationScope scope(state, parts.view);
        const std::wstring caption = parts.view.Caption();
        if (!CheckRights(parts, caption)) {
            return;
        }
        const bool backupTaken =
            parts.registry.ReadRegBool(kRoot, kPath, kRestore, kDefaultRestore, false);
        const std::wstring heading =
            parts.captions.GetCaption(kProgressWindowName, L"MessageUpdate");
        scope.BeginChanges(heading);
        parts.registry.WriteRegInteger(kRoot, kPath, kProcessorType, parts.view.ProcessorItem(),
                                       false);
        parts.registry.WriteRegInteger(kRoot, kPath, kSpeedSetting, parts.view.SpeedPosition(),
                                       false);
        parts.sound.PlayClickSound();

        MainWindowLoan loan(parts.view, parts.progress);
        loan.Lend();
        parts.progress.BeginSteps(StepCount(OptimizeSteps()));
        parts.progress.SetHeading(heading);
        RunSteps(parts.progress, parts.captions, OptimizeSteps());

        const std::int32_t versionCode = ConvertWindowsVersion(parts.view.WindowsItem());
        PrepareTweaks(parts.registry, versionCode, !backupTaken);
        // Set only once the backup is complete: whenever the flag stands, Restore has the user's
        // own values to put back, however the process ends from here on.
        parts.registry.WriteRegBool(kRoot, kPath, kRestore, true, false);
        WriteTweakRows(parts.registry, versionCode);
        scope.ChangesDone();

        loan.GiveBack();
        parts.view.SetRestoreEnabled(true);
        if (scope.CloseRequested()) {
            return;
        }
        AskRestart(parts, caption);
    } catch (...) {
    }
}

}  // namespace vt
