#include "app/EntrySequence.h"

#include <string>

#include "app/WindowClasses.h"
#include "i18n/AsciiCase.h"
#include "registry/ProgramKey.h"
#include "shell/ProgramFiles.h"

namespace vt {
namespace {

namespace key = program_key;

template <typename Step>
void Guarded(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
        // A failing step ends silently; the start goes on.
    }
}

// Written once in the life of an installation: when it reads empty (missing, empty, unreadable).
void StampInstallDate(const EntryServices& s) {
    if (!s.registry
             .ReadRegString(key::kRoot, key::kPath, key::kInstalledDate, key::kDefaultInstalledDate,
                            false)
             .empty()) {
        return;
    }
    s.registry.WriteRegString(key::kRoot, key::kPath, key::kInstalledDate,
                              std::to_wstring(DateTimeToStamp(s.clock.Now())), false);
}

// "Updated" is set from outside by a finished update; it stays in the key as 0.
void NoteFinishedUpdate(const EntryServices& s) {
    if (!s.registry.ReadRegBool(key::kRoot, key::kPath, key::kUpdated, key::kDefaultUpdated,
                                false)) {
        return;
    }
    s.registry.WriteRegBool(key::kRoot, key::kPath, key::kUpdated, false, false);
    s.registry.WriteRegString(key::kRoot, key::kPath, key::kUpdatedDate,
                              DateTimeToLocaleText(s.clock.Now(), s.locale), false);
}

}  // namespace

bool SelectsCheckMode(const std::vector<std::wstring>& arguments) noexcept {
    return !arguments.empty() && AsciiEqualNoCase(arguments.front(), kCheckUpdateSwitch);
}

StartMode RunEntrySequence(const std::vector<std::wstring>& arguments,
                           const EntryServices& services) noexcept {
    Guarded([&] { StampInstallDate(services); });
    Guarded([&] { NoteFinishedUpdate(services); });

    // Set before the query: a check-mode process never gets a window, whatever the query does.
    const bool windowless = SelectsCheckMode(arguments);
    if (windowless) {
        Guarded([&] { services.runCheckMode(); });
    }

    // In every mode: a check-mode process brings forward a main window that is still open.
    const bool running = services.instances.FindRunningInstance(kMainWindowClass, true);
    if (windowless) {
        return StartMode::CheckMode;
    }
    if (running) {
        return StartMode::RunningInstance;
    }
    Guarded([&] { services.runWindows(); });
    return StartMode::Windows;
}

}  // namespace vt
