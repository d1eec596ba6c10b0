#pragma once

#include "registry/CustomRegistry.h"
#include "registry/DateStamp.h"
#include "shell/Launcher.h"

namespace vt {

enum class UpdateAgeOutcome {
    NotDue,          // the last update is at most 45 days away from now
    CheckStarted,    // "Velotune.exe /checkupdate" was handed to the shell
    DateUnreadable,  // "UpdatedDate" is not a date: the caller ends its creation handler here
};

// The last step of the main window's creation: once "UpdatedDate" lies more than 45 whole days
// from now (either way), starts the program again in check mode. A missing value counts as now.
//
//     if (RunUpdateAgeRule(registry, clock, locale, launcher) == UpdateAgeOutcome::DateUnreadable)
//         return;  // the rest of FormCreate is skipped
//
// Never throws; a failure inside counts as DateUnreadable.
UpdateAgeOutcome RunUpdateAgeRule(const CustomRegistry& registry, const Clock& clock,
                                  const DateLocale& locale, Launcher& launcher) noexcept;

}  // namespace vt
