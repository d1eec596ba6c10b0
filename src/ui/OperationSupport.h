#pragma once

#include <span>
#include <string>

#include "engine/Restarter.h"
#include "i18n/Captions.h"
#include "registry/CustomRegistry.h"
#include "registry/RegistryBackend.h"
#include "ui/ClickSound.h"
#include "ui/Dialogs.h"
#include "ui/MainView.h"
#include "ui/ProgressView.h"

namespace vt {

inline constexpr const wchar_t* kMainWindowName = L"VTMainForm";
inline constexpr const wchar_t* kProgressWindowName = L"VTSettingsForm";

// Where a running handler of the main window stands. A close request that arrives while one runs
// is kept and carried out when it has returned; the session may not end while the registry is
// being changed.
class OperationState {
public:
    bool Busy() const { return phase_ != Phase::Idle; }
    bool Changing() const { return phase_ == Phase::Changing; }
    bool CloseRequested() const { return closeRequested_; }

    // The window's close request: true when it may close now, false when it is kept.
    bool RequestClose() noexcept;
    // Windows asks whether the session may end: false while the registry is being changed,
    // with the reason handed to the view once.
    bool QueryEndSession(MainView& view) noexcept;

private:
    friend class OperationScope;
    enum class Phase { Idle, Asking, Changing };

    Phase phase_ = Phase::Idle;
    bool closeRequested_ = false;
    bool shutdownBlocked_ = false;
    std::wstring shutdownReason_;
};

// One handler's run. Ends with the window's close request carried out (posted, so that nothing the
// handler still uses is destroyed under it).
class OperationScope {
public:
    OperationScope(OperationState& state, MainView& view) noexcept;
    ~OperationScope();
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

    // From here until ChangesDone the registry is being changed.
    void BeginChanges(const std::wstring& shutdownReason) noexcept;
    void ChangesDone() noexcept;
    bool CloseRequested() const { return state_.closeRequested_; }

private:
    OperationState& state_;
    MainView& view_;
};

// The main window disabled and the progress window shown over it; both given back on every way
// out of the operation.
class MainWindowLoan {
public:
    MainWindowLoan(MainView& view, ProgressView& progress) : view_(view), progress_(progress) {}
    ~MainWindowLoan();
    MainWindowLoan(const MainWindowLoan&) = delete;
    MainWindowLoan& operator=(const MainWindowLoan&) = delete;

    void Lend();
    void GiveBack();

private:
    MainView& view_;
    ProgressView& progress_;
    bool disabled_ = false;
    bool shown_ = false;
};

// A run of progress steps showing the same text.
struct StepRun {
    const wchar_t* key;  // in the progress window's section
    int times;
};

std::span<const StepRun> OptimizeSteps();
std::span<const StepRun> RestoreSteps();
int StepCount(std::span<const StepRun> steps);
void RunSteps(ProgressView& progress, const Captions& captions, std::span<const StepRun> steps);

// What the two operations work with.
struct OperationParts {
    MainView& view;
    ProgressView& progress;
    Dialogs& dialogs;
    ClickSound& sound;
    Restarter& restarter;
    RegistryBackend& backend;  // the store under `registry`, for the rights check
    CustomRegistry& registry;
    const Captions& captions;
};

// Shows the warning and returns false when the settings cannot be changed.
bool CheckRights(const OperationParts& parts, const std::wstring& caption);
// The question that ends both operations; Yes restarts Windows.
void AskRestart(const OperationParts& parts, const std::wstring& caption);

}  // namespace vt
