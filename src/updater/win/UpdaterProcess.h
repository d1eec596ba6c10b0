#pragma once

#include <string>

#include "update/UpdateQuery.h"
#include "update/Updater.h"

namespace vt {

// The whole updater process on Windows: its texts from the language table that the program key
// names, its rights, its single instance, the query's answer and the download page on `webHost`.
UpdaterOutcome RunUpdaterProcess(UpdateQuery& query, const std::wstring& webHost) noexcept;

// The updater's exit code: how the run ended, for whoever started it.
inline int UpdaterExitCode(UpdaterOutcome outcome) {
    return static_cast<int>(outcome);
}

}  // namespace vt
