#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "registry/CustomRegistry.h"
#include "registry/EnglishDateLocale.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "support/RecordingLauncher.h"
#include "update/UpdateAgeRule.h"

namespace vt {
namespace {

class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime now) : now_(now) {}
    DateTime Now() const override { return now_; }

private:
    DateTime now_;
};

// 2021-03-29 14:30:00.600: the fraction makes "now" and its own stamp differ by 0.4 s.
const DateTime kNow = EncodeDateTime(2021, 3, 29, 14, 30, 0, 600);
constexpr std::int64_t kDay = 86400;

std::wstring StampText(std::int64_t stamp) {
    return std::to_wstring(stamp);
}

TEST(UpdateAgeRule, StartsTheCheckFromTheFortySixthDayEitherWay) {
    const std::int64_t now = DateTimeToStamp(EncodeDateTime(2021, 3, 29, 14, 30, 0));
    const std::wstring start =
        L"program D:\\Games\\Renamed Tool\\Velotune.exe|/checkupdate";  // whatever runs
    struct Case {
        const char* what;
        std::optional<std::wstring> stored;
        UpdateAgeOutcome outcome;
    };
    const Case cases[] = {
        {"missing", std::nullopt, UpdateAgeOutcome::NotDue},
        {"empty", L"", UpdateAgeOutcome::NotDue},
        {"now", StampText(now), UpdateAgeOutcome::NotDue},
        {"45 days ago", StampText(now - 45 * kDay), UpdateAgeOutcome::NotDue},
        {"45 days 23:59:59 ago", StampText(now - 46 * kDay + 1), UpdateAgeOutcome::NotDue},
        {"46 days ago", StampText(now - 46 * kDay), UpdateAgeOutcome::CheckStarted},
        {"45 days ahead", StampText(now + 45 * kDay), UpdateAgeOutcome::NotDue},
        // Now is 0.6 s past the whole second: 46 days ahead of it needs the next second.
        {"46 days less 0.6 s ahead", StampText(now + 46 * kDay), UpdateAgeOutcome::NotDue},
        {"46 days ahead", StampText(now + 46 * kDay + 1), UpdateAgeOutcome::CheckStarted},
        {"years ago", L"0", UpdateAgeOutcome::CheckStarted},
        {"locale text 46 days ago", L"2/11/2021 2:30:00 PM", UpdateAgeOutcome::CheckStarted},
        {"locale text 45 days ago", L"2/12/2021 2:30:00 PM", UpdateAgeOutcome::NotDue},
        {"locale date only", L"2/11/2021", UpdateAgeOutcome::CheckStarted},
        {"dotted date", L"29.03.2021", UpdateAgeOutcome::DateUnreadable},
        {"letters", L"yesterday", UpdateAgeOutcome::DateUnreadable},
        {"slash but no date", L"99/99/2021", UpdateAgeOutcome::DateUnreadable},
        {"colon but no date", L"12:", UpdateAgeOutcome::DateUnreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryRegistry backend;
        CustomRegistry registry(backend);
        if (c.stored) {
            registry.WriteRegString(program_key::kRoot, program_key::kPath,
                                    program_key::kUpdatedDate, *c.stored, false);
        }
        std::vector<std::wstring> events;
        testing::RecordingLauncher launcher(events, L"D:\\Games\\Renamed Tool\\");
        const FixedClock clock(kNow);
        const EnglishUsDateLocale locale;
        EXPECT_EQ(RunUpdateAgeRule(registry, clock, locale, launcher), c.outcome);
        const std::vector<std::wstring> expected = c.outcome == UpdateAgeOutcome::CheckStarted
                                                       ? std::vector<std::wstring>{start}
                                                       : std::vector<std::wstring>{};
        EXPECT_EQ(events, expected);
    }
}

TEST(UpdateAgeRule, AnUpdatedDateOfAnotherTypeCountsAsMissing) {
    MemoryRegistry backend;
    CustomRegistry registry(backend);
    registry.WriteRegInteger(program_key::kRoot, program_key::kPath, program_key::kUpdatedDate, 0,
                             false);
    std::vector<std::wstring> events;
    testing::RecordingLauncher launcher(events);
    const FixedClock clock(kNow);
    const EnglishUsDateLocale locale;
    EXPECT_EQ(RunUpdateAgeRule(registry, clock, locale, launcher), UpdateAgeOutcome::NotDue);
    EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace vt
