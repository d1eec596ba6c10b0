#include <gtest/gtest.h>

#include "registry/DateStamp.h"
#include "registry/EnglishDateLocale.h"
#include "registry/win/WinDateLocale.h"

// The platform's formats, with the test prefix set to English (United States): the same texts as
// the portable locale, and a round trip through VarDateFromStr to the same second.

namespace vt {
namespace {

TEST(WinDateLocale, MatchesTheEnglishFormats) {
    const WinDateLocale windows;
    const EnglishUsDateLocale portable;
    for (const wchar_t* stored :
         {L"1617028200", L"0", L"-1", L"2147483647", L"2147483648", L"3/29/2021 2:30:00 PM",
          L"3/29/2021", L"29.03.2021", L"letters"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(stored)));
        EXPECT_EQ(StampToDateText(stored, windows), StampToDateText(stored, portable));
        EXPECT_EQ(StampToDisplayText(stored, windows), StampToDisplayText(stored, portable));
    }
    EXPECT_EQ(StampToDisplayText(L"1617028200", windows), L"Monday, March 29, 2021 - 2:30:00 PM");
    EXPECT_EQ(StampToDisplayText(L"3/29/2021", windows), L"Monday, March 29, 2021 - 12:00:00 AM");
}

TEST(WinDateLocale, LocaleTextRoundTrips) {
    const WinDateLocale windows;
    for (std::int64_t stamp = 0; stamp < 86400LL * 365 * 60; stamp += 7919 * 36007) {
        SCOPED_TRACE(stamp);
        const auto parsed =
            windows.ParseUserDateTime(DateTimeToLocaleText(StampToDateTime(stamp), windows));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(DateTimeToStamp(*parsed), stamp);
    }
}

}  // namespace
}  // namespace vt
