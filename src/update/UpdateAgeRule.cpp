#include "update/UpdateAgeRule.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "registry/ProgramKey.h"
#include "shell/ProgramFiles.h"

namespace vt {
namespace {

constexpr int kMaxAgeDays = 45;
constexpr std::int64_t kMsPerDay = 86400000;

// A date-time as a linear count of milliseconds: before 1899-12-30 the fraction still counts
// forward from midnight of its day, so the sign of whole days and time differ there.
std::int64_t LinearMilliseconds(DateTime value) {
    const double day = std::trunc(value);
    const auto time = static_cast<std::int64_t>(std::llround(std::fabs(value - day) * kMsPerDay));
    return static_cast<std::int64_t>(day) * kMsPerDay + time;
}

}  // namespace

UpdateAgeOutcome RunUpdateAgeRule(const CustomRegistry& registry, const Clock& clock,
                                  const DateLocale& locale, Launcher& launcher) noexcept {
    try {
        const std::wstring nowStamp = std::to_wstring(DateTimeToStamp(clock.Now()));
        const std::wstring stored = registry.ReadRegString(
            program_key::kRoot, program_key::kPath, program_key::kUpdatedDate, nowStamp, false);
        const DateTime now = clock.Now();
        const auto updated = locale.ParseUserDateTime(StampToDateText(stored, locale));
        if (!updated || !std::isfinite(*updated)) {
            return UpdateAgeOutcome::DateUnreadable;
        }
        const std::int64_t difference = LinearMilliseconds(now) - LinearMilliseconds(*updated);
        const std::int64_t ageDays = (difference < 0 ? -difference : difference) / kMsPerDay;
        if (ageDays <= kMaxAgeDays) {
            return UpdateAgeOutcome::NotDue;
        }
        launcher.StartProgram(launcher.ProgramFolder() + kProgramFile, kCheckUpdateSwitch);
        return UpdateAgeOutcome::CheckStarted;
    } catch (...) {
        return UpdateAgeOutcome::DateUnreadable;
    }
}

}  // namespace vt
