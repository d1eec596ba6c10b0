#include "ui/HintRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vt {
namespace {

TEST(HintRules, TimingFromTheDoubleClickTime) {
    EXPECT_EQ(HintTimingFor(500).pause, 500);
    EXPECT_EQ(HintTimingFor(500).shortPause, 100);
    EXPECT_EQ(HintTimingFor(500).hidePause, 5000);
    const HintTiming t400 = HintTimingFor(400);
    EXPECT_EQ(t400.pause, 400);
    EXPECT_EQ(t400.shortPause, 80);
    EXPECT_EQ(t400.hidePause, 4000);
    EXPECT_EQ(HintTimingFor(499).shortPause, 99);  // remainder dropped
}

TEST(HintRules, TextBeforeTheBarTrimmed) {
    struct Case {
        const wchar_t* hint;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"Save|Saves the file", L"Save"},
        {L"  \t Open \r\n", L"Open"},
        {L"   ", L""},
        {L"|long only", L""},
        {L"a | b | c", L"a"},
        {L"Tom & Jerry", L"Tom & Jerry"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HintTextOf(c.hint), c.shown) << static_cast<const void*>(c.hint);
    }
}

TEST(HintRules, MultiLineExtentSplitsAtCrLfOnly) {
    std::vector<std::wstring> measured;
    auto measure = [&](std::wstring_view line) {
        measured.emplace_back(line);
        return TextExtent{static_cast<int>(line.size()) * 7, 13};
    };
    EXPECT_EQ(MultiLineExtent(L"abc\r\nabcdef", 2, measure), (TextExtent{42, 13 + 2 + 13}));
    EXPECT_EQ(measured, (std::vector<std::wstring>{L"abc", L"abcdef"}));

    measured.clear();
    EXPECT_EQ(MultiLineExtent(L"ab\rcd\nef", 0, measure), (TextExtent{56, 13}));  // one line
    EXPECT_EQ(MultiLineExtent(L"x\r\n\r\ny", 0, measure), (TextExtent{7, 39}));
    EXPECT_EQ(MultiLineExtent(L"", 0, measure), (TextExtent{0, 13}));

    auto failing = [](std::wstring_view) -> TextExtent { throw 1; };
    EXPECT_EQ(MultiLineExtent(L"a\r\nb", 0, failing), (TextExtent{0, 0}));
}

TEST(HintRules, TipPlacementInsideTheMonitor) {
    const ScreenBounds monitor{0, 0, 1280, 1024};
    const TextExtent tip{100, 20};
    struct Case {
        ScreenPoint point;
        int cursorY;
        ScreenPoint placed;
    };
    const Case cases[] = {
        {{300, 200}, 180, {300, 200}},   // room: where asked
        {{300, 1004}, 990, {300, 970}},  // reaches the bottom: above the pointer
        {{300, 1010}, 990, {300, 970}},
        {{1180, 200}, 180, {1180, 200}},  // reaches the right edge: ends there
        {{1250, 200}, 180, {1180, 200}},
        {{1250, 1010}, 990, {1180, 970}},  // both
        {{-40, -30}, -50, {0, 0}},         // never left of or above the monitor
        {{300, 1010}, 5, {300, 0}},        // above the pointer would leave the monitor
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceTip(c.point, tip, monitor, c.cursorY), c.placed)
            << c.point.x << "," << c.point.y;
    }
    // A monitor left of and above the primary one: negative coordinates.
    const ScreenBounds left{-1920, -200, 0, 880};
    EXPECT_EQ(PlaceTip({-60, 870}, tip, left, 860), (ScreenPoint{-100, 840}));
    EXPECT_EQ(PlaceTip({-2000, -300}, tip, left, -300), (ScreenPoint{-1920, -200}));
}

TEST(HintRules, TrackPositionPacksSixteenBitHalves) {
    EXPECT_EQ(TrackPositionParam({250, 180}), 250u | (181u << 16));
    EXPECT_EQ(TrackPositionParam({-1, -2}), 0xFFFFu | (0xFFFFu << 16));
}

}  // namespace
}  // namespace vt
