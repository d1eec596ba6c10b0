#include "ui/OperationSupport.h"

#include <array>
#include <numeric>

#include "engine/RegistryAccessCheck.h"

namespace vt {
namespace {

constexpr std::array<StepRun, 10> kOptimizeSteps = {{
    {L"MessageChange1", 2},
    {L"MessageChange2", 3},
    {L"MessageChange3", 1},
    {L"MessageChange4", 2},
    {L"MessageChange5", 4},
    {L"MessageChange6", 4},
    {L"MessageChange7", 2},
    {L"MessageChange8", 3},
    {L"MessageChange9", 4},
    {L"MessageChange10", 6},
}};

// The first 21 steps are those of the optimization.
constexpr std::array<StepRun, 9> kRestoreSteps = {{
    {L"MessageChange1", 2},
    {L"MessageChange2", 3},
    {L"MessageChange3", 1},
    {L"MessageChange4", 2},
    {L"MessageChange5", 4},
    {L"MessageChange6", 4},
    {L"MessageChange7", 2},
    {L"MessageChange8", 3},
    {L"MessageChange11", 6},
}};

}  // namespace

bool OperationState::RequestClose() noexcept {
    if (!Busy()) {
        return true;
    }
    closeRequested_ = true;
    return false;
}

bool OperationState::QueryEndSession(MainView& view) noexcept {
    if (!Changing()) {
        return true;
    }
    if (!shutdownBlocked_) {
        try {
            view.BlockShutdown(shutdownReason_);
            shutdownBlocked_ = true;
        } catch (...) {
        }
    }
    return false;
}

OperationScope::OperationScope(OperationState& state, MainView& view) noexcept
    : state_(state), view_(view) {
    state_.phase_ = OperationState::Phase::Asking;
    state_.closeRequested_ = false;
}

OperationScope::~OperationScope() {
    ChangesDone();
    state_.phase_ = OperationState::Phase::Idle;
    if (state_.closeRequested_) {
        state_.closeRequested_ = false;
        try {
            view_.PostClose();
        } catch (...) {
        }
    }
}

void OperationScope::BeginChanges(const std::wstring& shutdownReason) noexcept {
    try {
        state_.shutdownReason_ = shutdownReason;
    } catch (...) {
    }
    state_.phase_ = OperationState::Phase::Changing;
}

void OperationScope::ChangesDone() noexcept {
    if (state_.phase_ == OperationState::Phase::Changing) {
        state_.phase_ = OperationState::Phase::Asking;
    }
    if (state_.shutdownBlocked_) {
        state_.shutdownBlocked_ = false;
        try {
            view_.UnblockShutdown();
        } catch (...) {
        }
    }
}

MainWindowLoan::~MainWindowLoan() {
    try {
        GiveBack();
    } catch (...) {
    }
}

void MainWindowLoan::Lend() {
    disabled_ = true;
    view_.SetEnabled(false);
    shown_ = true;
    progress_.ShowOverMainWindow();
}

void MainWindowLoan::GiveBack() {
    if (disabled_) {
        disabled_ = false;
        view_.SetEnabled(true);
    }
    if (shown_) {
        shown_ = false;
        progress_.Close();
    }
}

std::span<const StepRun> OptimizeSteps() {
    return kOptimizeSteps;
}

std::span<const StepRun> RestoreSteps() {
    return kRestoreSteps;
}

int StepCount(std::span<const StepRun> steps) {
    return std::accumulate(steps.begin(), steps.end(), 0,
                           [](int sum, const StepRun& run) { return sum + run.times; });
}

void RunSteps(ProgressView& progress, const Captions& captions, std::span<const StepRun> steps) {
    for (const StepRun& run : steps) {
        for (int i = 0; i < run.times; ++i) {
            progress.Step(captions.GetCaption(kProgressWindowName, run.key));
        }
    }
}

bool CheckRights(const OperationParts& parts, const std::wstring& caption) {
    if (CanChangeSettings(parts.backend)) {
        return true;
    }
    parts.dialogs.Ask(
        JoinParagraphs({parts.captions.GetCaption(kMainWindowName, L"MessageBoxRights1"),
                        parts.captions.GetCaption(kMainWindowName, L"MessageBoxRights2")}),
        caption, box::kOk | box::kIconWarning);
    return false;
}

void AskRestart(const OperationParts& parts, const std::wstring& caption) {
    const std::wstring text =
        JoinParagraphs({parts.captions.GetCaption(kMainWindowName, L"MessageBoxChangeRestart1"),
                        parts.captions.GetCaption(kMainWindowName, L"MessageBoxChangeRestart2"),
                        parts.captions.GetCaption(kMainWindowName, L"MessageBoxChangeRestart3")});
    if (parts.dialogs.Ask(text, caption, box::kYesNo | box::kIconWarning | box::kDefaultButton2) ==
        box::kIdYes) {
        parts.restarter.RestartWindows();
    }
}

}  // namespace vt
