#pragma once

#include <random>

#include "ui/ProgressStep.h"

namespace vt::win {

// Paced steps on the GUI thread: the application's message pump, Sleep, and a generator
// reseeded from the performance counter.
class WinPacing final : public PacingPlatform {
public:
    void Reseed() override;
    int RandomRange(int from, int to) override;
    void ProcessMessages() override;
    void Sleep(int milliseconds) override;

private:
    std::minstd_rand generator_;
};

}  // namespace vt::win
