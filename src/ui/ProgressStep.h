#pragma once

#include <string>

namespace vt {

// The pass counts, thresholds and sleep of one paced step.
struct PacingPlan {
    int minPasses = 1'000'000;  // included
    int maxPasses = 3'000'000;  // excluded
    int oneDot = 20'000;
    int twoDots = 50'000;
    int threeDots = 150'000;
    int sleepMilliseconds = 500;
};

#ifdef VT_QUICK_PACING
// Tests and demonstrations under Wine, where one pump pass costs about a hundred times a pass on
// Windows: passes and thresholds divided by 1000, sleeps by 50.
inline constexpr PacingPlan kBuildPacing{1'000, 3'000, 20, 50, 150, 10};
#else
inline constexpr PacingPlan kBuildPacing{};
#endif

// What a paced step needs of the platform: the thread's message pump, sleeping, a pseudo-random
// generator reseeded from the clock, and the plan.
class PacingPlatform {
public:
    virtual ~PacingPlatform() = default;
    virtual const PacingPlan& Plan() const { return kBuildPacing; }
    virtual void Reseed() = 0;
    // Uniform in [from, to).
    virtual int RandomRange(int from, int to) = 0;
    // Dispatches every pending message and returns at once.
    virtual void ProcessMessages() = 0;
    virtual void Sleep(int milliseconds) = 0;
};

// The two controls a step writes: the step line and the bar (0 to 100).
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    virtual void SetStepText(const std::wstring& text) = 0;
    virtual void SetBarPosition(int position) = 0;
};

// The running operation's number of steps and the steps finished; set by the operation before
// its first step.
extern int ProgressTotal;
extern int ProgressCount;

// One step: the text with one, two, then three dots while the message pump runs a random number
// of passes, then the bar at ProgressCount / ProgressTotal x 100 (nearest, ties to even). Nothing
// escapes; a failure ends the step without moving the bar.
void ProgressStep(const std::wstring& text, ProgressDisplay& display,
                  PacingPlatform& platform) noexcept;

}  // namespace vt
