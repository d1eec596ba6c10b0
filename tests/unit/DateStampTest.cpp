#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "registry/DateStamp.h"
#include "registry/DateTextFallback.h"
#include "registry/EnglishDateLocale.h"
#include "registry/SystemClock.h"

namespace vt {
namespace {

const EnglishUsDateLocale kEnUs;

TEST(DateStamp, StampsAndDateTimesBothWays) {
    struct StampCase {
        std::int64_t stamp;
        int y, mo, d, h, mi, s;
    };
    const StampCase cases[] = {
        {1617028200, 2021, 3, 29, 14, 30, 0}, {0, 1970, 1, 1, 0, 0, 0},
        {-1, 1969, 12, 31, 23, 59, 59},       {2147483647, 2038, 1, 19, 3, 14, 7},
        {2147483648, 2038, 1, 19, 3, 14, 8},  // past 32 bits: the full count, not wrapped
        {4102444800, 2100, 1, 1, 0, 0, 0},
    };
    for (const StampCase& c : cases) {
        SCOPED_TRACE(c.stamp);
        const DateTime value = EncodeDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(DateTimeToStamp(value), c.stamp);
        CivilDateTime civil;
        ASSERT_TRUE(DecodeDateTime(StampToDateTime(c.stamp), civil));
        EXPECT_EQ(std::vector<int>({civil.year, civil.month, civil.day, civil.hour, civil.minute,
                                    civil.second, civil.millisecond}),
                  std::vector<int>({c.y, c.mo, c.d, c.h, c.mi, c.s, 0}));
    }
}

TEST(DateStamp, RoundsHalfToEven) {
    EXPECT_EQ(DateTimeToStamp(EncodeDateTime(2021, 3, 29, 14, 30, 0, 600)), 1617028201);
    EXPECT_EQ(DateTimeToStamp(EncodeDateTime(2021, 3, 29, 14, 30, 0, 400)), 1617028200);
    // 1/256 and 3/256 of a day are exactly 337.5 and 1012.5 seconds.
    EXPECT_EQ(DateTimeToStamp(kUnixEpochDays + 1.0 / 256), 338);
    EXPECT_EQ(DateTimeToStamp(kUnixEpochDays + 3.0 / 256), 1012);
}

TEST(DateStamp, ArithmeticFailuresGiveZero) {
    EXPECT_EQ(DateTimeToStamp(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(DateTimeToStamp(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(DateTimeToStamp(1e300), 0);
}

TEST(DateStamp, StoredTextForms) {
    struct TextCase {
        const wchar_t* stored;
        const wchar_t* dateText;
        const wchar_t* displayText;
    };
    const TextCase cases[] = {
        {L"1617028200", L"3/29/2021 2:30:00 PM", L"Monday, March 29, 2021 - 2:30:00 PM"},
        {L"3/29/2021 2:30:00 PM", L"3/29/2021 2:30:00 PM", L"Monday, March 29, 2021 - 2:30:00 PM"},
        {L"0", L"1/1/1970", L"Thursday, January 1, 1970 - 12:00:00 AM"},  // midnight: no time
        {L"-1", L"12/31/1969 11:59:59 PM", L"Wednesday, December 31, 1969 - 11:59:59 PM"},
        {L"+2147483647", L"1/19/2038 3:14:07 AM", L"Tuesday, January 19, 2038 - 3:14:07 AM"},
        {L"2147483648", L"1/19/2038 3:14:08 AM", L"Tuesday, January 19, 2038 - 3:14:08 AM"},
        {L"29.03.2021", L"", L""},  // neither ':' nor '/' and not an integer
        {L"letters", L"", L""},
        {L"", L"", L""},
        {L" 1617028200", L"", L""},
        {L"99999999999999999999", L"", L""},                        // beyond any count
        {L"9223372036854775807", L"", L""},                         // a count past the year 9999
        {L"13/45/2021 1:00:00 PM", L"13/45/2021 1:00:00 PM", L""},  // locale text, unparsable
        {L"12:30", L"12:30", L"Saturday, December 30, 1899 - 12:30:00 PM"},
        // What the start-up writes at exactly midnight: the date alone.
        {L"3/29/2021", L"3/29/2021", L"Monday, March 29, 2021 - 12:00:00 AM"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.stored)));
        EXPECT_EQ(StampToDateText(c.stored, kEnUs), c.dateText);
        EXPECT_EQ(StampToDisplayText(c.stored, kEnUs), c.displayText);
    }
}

// What the start-up writes as locale text must read back to the same second.
TEST(DateStamp, EnglishLocaleRoundTripsExactly) {
    for (std::int64_t stamp = -86400LL * 365; stamp < 86400LL * 365 * 80; stamp += 7919 * 3607) {
        SCOPED_TRACE(stamp);
        const DateTime value = StampToDateTime(stamp);
        const auto parsed = kEnUs.ParseUserDateTime(DateTimeToLocaleText(value, kEnUs));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(DateTimeToStamp(*parsed), stamp);
    }
}

// The readings after a rejected date-and-time: the user's date order and separator, then a
// plain number of days.
TEST(DateStamp, DateOnlyAndDayCountReadings) {
    struct DateCase {
        const wchar_t* text;
        DateOrder order;
        const wchar_t* separator;
        std::optional<DateTime> expected;
    };
    const DateTime march29 = EncodeDateTime(2021, 3, 29, 0, 0, 0);
    const DateCase dates[] = {
        {L"3/29/2021", DateOrder::MonthDayYear, L"/", march29},
        {L"29.03.2021", DateOrder::DayMonthYear, L".", march29},
        {L"2021-03-29", DateOrder::YearMonthDay, L"-", march29},
        {L" 2021. 3. 29", DateOrder::YearMonthDay, L".", march29},  // blanks around the parts
        {L"3/29/21", DateOrder::MonthDayYear, L"/", march29},
        {L"3/29/99", DateOrder::MonthDayYear, L"/", EncodeDateTime(1999, 3, 29, 0, 0, 0)},
        {L"2/29/2021", DateOrder::MonthDayYear, L"/", std::nullopt},  // no such day
        {L"29/3/2021", DateOrder::MonthDayYear, L"/", std::nullopt},  // another order
        {L"3/29/2021 2:30", DateOrder::MonthDayYear, L"/", std::nullopt},
        {L"3/29", DateOrder::MonthDayYear, L"/", std::nullopt},
        {L"3/29/2021/1", DateOrder::MonthDayYear, L"/", std::nullopt},
        {L"3/29/2021", DateOrder::MonthDayYear, L"", std::nullopt},
    };
    for (const DateCase& c : dates) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(ParseDateOnly(c.text, c.order, c.separator), c.expected);
    }
    EXPECT_EQ(ParseDayCount(L"44284", L"."), 44284.0);
    EXPECT_EQ(ParseDayCount(L" 44284,5 ", L","), 44284.5);
    EXPECT_EQ(ParseDayCount(L"-1", L"."), -1.0);
    for (const wchar_t* text : {L"", L"44284,5", L"1e3", L"12:30", L"99999999", L"-"}) {
        EXPECT_EQ(ParseDayCount(text, L"."), std::nullopt) << ::testing::PrintToString(text);
    }
}

TEST(DateStamp, ClockGivesToday) {
    const DateTime now = SystemClock().Now();
    const std::int64_t stamp = DateTimeToStamp(now);
    EXPECT_GT(stamp, 1700000000);  // later than 2023, and the count of seconds is local time
    EXPECT_LT(stamp, 4102444800);
}

}  // namespace
}  // namespace vt
