#pragma once

#include <functional>
#include <string>
#include <vector>

#include "registry/CustomRegistry.h"
#include "registry/DateStamp.h"

namespace vt {

// Finds another process's main window by class name and, when asked, brings it back.
class InstanceFinder {
public:
    virtual ~InstanceFinder() = default;
    // True when a top-level window of the class exists; with `activate` it is restored from
    // minimized and made the foreground window first. Any failure gives false.
    virtual bool FindRunningInstance(const std::wstring& className, bool activate) noexcept = 0;
};

// What the start of the process can turn into.
enum class StartMode {
    CheckMode,        // windowless update check, then ends
    RunningInstance,  // another instance's main window was brought forward, then ends
    Windows,          // the three windows and the message loop
};

struct EntryServices {
    CustomRegistry& registry;
    const Clock& clock;
    const DateLocale& locale;
    InstanceFinder& instances;
    // The update check of a windowless process: query, and on an available update close the
    // running windows, ask and perhaps start the updater.
    std::function<void()> runCheckMode;
    // Creates the main, About and progress windows and runs until the main window closes.
    std::function<void()> runWindows;
};

// "/checkupdate" as the first argument, in any letter case; later arguments are never looked at.
bool SelectsCheckMode(const std::vector<std::wstring>& arguments) noexcept;

// The start of the process, after the process-wide hint and cursor set-up: stamps the install
// date, notes a finished update, dispatches check mode, hands a second start to the running
// instance, else runs the windows. `arguments` excludes the program's own name. Never throws; a
// failing step ends silently and the sequence goes on, so the process always exits normally.
StartMode RunEntrySequence(const std::vector<std::wstring>& arguments,
                           const EntryServices& services) noexcept;

}  // namespace vt
