#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "registry/win/WinDateLocale.h"
#include "support/RecordingLauncher.h"
#include "update/UpdateAgeRule.h"

// The update-age rule over the running Windows' own date formats and text-to-date conversion
// (the test prefix uses English, United States).

namespace vt {
namespace {

class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime now) : now_(now) {}
    DateTime Now() const override { return now_; }

private:
    DateTime now_;
};

TEST(UpdateAgeRuleWin, ReadsStampsAndLocaleTextWithTheSystemFormats) {
    const DateTime now = EncodeDateTime(2021, 3, 29, 14, 30, 0);
    struct Case {
        std::wstring stored;
        UpdateAgeOutcome outcome;
    };
    const Case cases[] = {
        {L"2/12/2021 2:30:00 PM", UpdateAgeOutcome::NotDue},        // 45 days
        {L"2/11/2021 2:30:00 PM", UpdateAgeOutcome::CheckStarted},  // 46 days
        {L"5/14/2021 2:30:00 PM", UpdateAgeOutcome::CheckStarted},  // 46 days ahead
        {L"1613053800", UpdateAgeOutcome::CheckStarted},            // stamp of 2/11 2:30 PM
        {L"1613140200", UpdateAgeOutcome::NotDue},                  // stamp of 2/12 2:30 PM
        {L"29.03.2021", UpdateAgeOutcome::DateUnreadable},
        {L"13/45/2021", UpdateAgeOutcome::DateUnreadable},
    };
    const WinDateLocale locale;
    const FixedClock clock(now);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.stored));
        MemoryRegistry backend;
        CustomRegistry registry(backend);
        registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kUpdatedDate,
                                c.stored, false);
        std::vector<std::wstring> events;
        testing::RecordingLauncher launcher(events, L"C:\\Velotune\\");
        EXPECT_EQ(RunUpdateAgeRule(registry, clock, locale, launcher), c.outcome);
        EXPECT_EQ(events.size(), c.outcome == UpdateAgeOutcome::CheckStarted ? 1u : 0u);
    }
}

}  // namespace
}  // namespace vt
