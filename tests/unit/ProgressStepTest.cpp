#include "ui/ProgressStep.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vt {
namespace {

// Records every label, bar, sleep, reseed and draw with the number of pump passes made so far.
class RecordingPacing final : public PacingPlatform, public ProgressDisplay {
public:
    const PacingPlan& Plan() const override { return plan; }
    void Reseed() override { events.push_back(L"reseed @" + std::to_wstring(passes)); }
    int RandomRange(int from, int to) override {
        events.push_back(L"draw " + std::to_wstring(from) + L"-" + std::to_wstring(to));
        return draws.empty() ? from : Next();
    }
    void ProcessMessages() override { ++passes; }
    void Sleep(int milliseconds) override {
        if (--sleepsBeforeFailure == 0) {
            throw std::runtime_error("sleep failed");
        }
        events.push_back(L"sleep " + std::to_wstring(milliseconds));
    }
    void SetStepText(const std::wstring& text) override {
        events.push_back(L"label " + text + L" @" + std::to_wstring(passes));
    }
    void SetBarPosition(int position) override {
        bars.push_back(position);
        events.push_back(L"bar " + std::to_wstring(position) + L" @" + std::to_wstring(passes));
    }

    PacingPlan plan{};  // the exact pacing, whatever this build uses
    std::vector<int> draws;
    std::vector<std::wstring> events;
    std::vector<int> bars;
    long long passes = 0;
    int sleepsBeforeFailure = -1;

private:
    int Next() {
        const int n = draws.front();
        draws.erase(draws.begin());
        return n;
    }
};

std::vector<std::wstring> ExpectedStep(const std::wstring& text, long long start, int passes,
                                       int bar) {
    auto at = [&](long long n) { return L" @" + std::to_wstring(start + n); };
    return {L"reseed @" + std::to_wstring(start),       L"draw 1000000-3000000",
            L"label " + text + L"." + at(20'000),       L"sleep 500",
            L"label " + text + L".." + at(50'000),      L"sleep 500",
            L"label " + text + L"..." + at(150'000),    L"sleep 500",
            L"bar " + std::to_wstring(bar) + at(passes)};
}

void RunSteps(RecordingPacing& pacing, int total) {
    ProgressTotal = total;
    ProgressCount = 0;
    for (int step = 0; step < total; ++step) {
        ProgressStep(L"Step " + std::to_wstring(step % 11), pacing, pacing);
    }
}

// The whole sequence: for every step a fresh draw, the three labels at their passes each followed
// by a half-second sleep, and the bar once at the end at the listed position.
TEST(ProgressStep, ThirtyOneAndTwentySevenSteps) {
    const std::vector<int> optimize{3,  6,  10, 13, 16, 19, 23, 26, 29, 32, 35, 39, 42, 45, 48, 52,
                                    55, 58, 61, 65, 68, 71, 74, 77, 81, 84, 87, 90, 94, 97, 100};
    const std::vector<int> restore{4,  7,  11, 15, 19, 22, 26, 30, 33, 37, 41, 44, 48, 52,
                                   56, 59, 63, 67, 70, 74, 78, 81, 85, 89, 93, 96, 100};
    for (const auto& bars : {optimize, restore}) {
        const int total = static_cast<int>(bars.size());
        RecordingPacing pacing;
        for (int i = 0; i < total; ++i) {
            pacing.draws.push_back(i % 2 == 0 ? 1'000'000 : 2'999'999);  // both ends of the range
        }
        RunSteps(pacing, total);
        std::vector<std::wstring> expected;
        long long start = 0;
        for (int i = 0; i < total; ++i) {
            const int passes = i % 2 == 0 ? 1'000'000 : 2'999'999;
            for (auto& event : ExpectedStep(L"Step " + std::to_wstring(i % 11), start, passes,
                                            bars[static_cast<std::size_t>(i)])) {
                expected.push_back(event);
            }
            start += passes;
        }
        EXPECT_EQ(pacing.events, expected);
        EXPECT_EQ(pacing.bars, bars);
        EXPECT_EQ(ProgressCount, total);
    }
}

TEST(ProgressStep, FailureEndsTheStepWithoutMovingTheBar) {
    RecordingPacing pacing;
    ProgressTotal = 31;
    ProgressCount = 4;
    pacing.sleepsBeforeFailure = 2;
    ProgressStep(L"Finding", pacing, pacing);
    ASSERT_FALSE(pacing.events.empty());
    EXPECT_EQ(pacing.events.back(), L"label Finding.. @50000");
    EXPECT_TRUE(pacing.bars.empty());
    EXPECT_EQ(ProgressCount, 4);

    // Steps set up wrongly (no total) change nothing on screen either.
    RecordingPacing unset;
    ProgressTotal = 0;
    ProgressCount = 0;
    ProgressStep(L"Finding", unset, unset);
    EXPECT_TRUE(unset.bars.empty());
}

TEST(ProgressStep, DrawOutsideTheRangeStillEnds) {
    RecordingPacing pacing;
    pacing.plan = PacingPlan{10, 30, 2, 5, 8, 0};
    pacing.draws = {0};
    ProgressTotal = 1;
    ProgressCount = 0;
    ProgressStep(L"x", pacing, pacing);
    EXPECT_EQ(pacing.passes, 30);
    EXPECT_EQ(pacing.bars, std::vector<int>{100});
}

TEST(ProgressStep, BuildPacing) {
#ifdef VT_QUICK_PACING
    constexpr PacingPlan expected{1'000, 3'000, 20, 50, 150, 10};
#else
    constexpr PacingPlan expected{1'000'000, 3'000'000, 20'000, 50'000, 150'000, 500};
#endif
    EXPECT_EQ(kBuildPacing.minPasses, expected.minPasses);
    EXPECT_EQ(kBuildPacing.maxPasses, expected.maxPasses);
    EXPECT_EQ(kBuildPacing.oneDot, expected.oneDot);
    EXPECT_EQ(kBuildPacing.twoDots, expected.twoDots);
    EXPECT_EQ(kBuildPacing.threeDots, expected.threeDots);
    EXPECT_EQ(kBuildPacing.sleepMilliseconds, expected.sleepMilliseconds);
}

}  // namespace
}  // namespace vt
