#include "ui/ProgressStep.h"

#include <cmath>
#include <stdexcept>

namespace vt {

int ProgressTotal = 0;
int ProgressCount = 0;

void ProgressStep(const std::wstring& text, ProgressDisplay& display,
                  PacingPlatform& platform) noexcept {
    try {
        platform.Reseed();
        const PacingPlan& plan = platform.Plan();
        const int passes = platform.RandomRange(plan.minPasses, plan.maxPasses);
        int counter = 0;
        do {
            platform.ProcessMessages();
            ++counter;
            if (counter == plan.oneDot) {
                display.SetStepText(text + L".");
                platform.Sleep(plan.sleepMilliseconds);
            } else if (counter == plan.twoDots) {
                display.SetStepText(text + L"..");
                platform.Sleep(plan.sleepMilliseconds);
            } else if (counter == plan.threeDots) {
                display.SetStepText(text + L"...");
                platform.Sleep(plan.sleepMilliseconds);
            }
        } while (counter != passes && counter < plan.maxPasses);
        ++ProgressCount;
        if (ProgressTotal <= 0) {
            throw std::logic_error("no steps set");
        }
        // nearbyint rounds to the nearest, ties to even, in the default rounding mode.
        const double share = static_cast<double>(ProgressCount) / ProgressTotal * 100.0;
        display.SetBarPosition(static_cast<int>(std::nearbyint(share)));
    } catch (...) {
        // The step ends here; the bar stays where it was.
    }
}

}  // namespace vt
