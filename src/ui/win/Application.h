#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/win/HintWindow.h"
#include "ui/win/Screen.h"

namespace vt::win {

class Control;
class Form;

// The one application object of the GUI thread: message loop, main form, application-wide key
// event, and the hint machinery (which control's hint is current, when a hint shows and hides,
// which window class shows it, how it is hidden).
class Application {
public:
    static Application& Instance();

    win::Screen& Screen() noexcept { return screen_; }

    void SetMainForm(Form& form) noexcept { mainForm_ = &form; }
    Form* MainForm() const noexcept { return mainForm_; }
    // Dispatches messages until the main form is gone (WM_QUIT).
    void Run();
    // Waits for one message and dispatches it; false when it was WM_QUIT, which is posted again
    // so that the outer loop ends too.
    bool HandleMessage();
    // One pass of the pump: dispatches every pending message and returns at once.
    void ProcessMessages();
    bool Terminated() const noexcept { return terminated_; }

    // Every key press (WM_KEYDOWN, WM_SYSKEYDOWN) of any window of the program, before it is
    // dispatched; setting `handled` swallows it.
    std::function<void(MSG& message, bool& handled)> OnShortCut;

    // Hints. OnHint runs whenever the current hint text changes.
    std::function<void()> OnHint;
    const std::wstring& Hint() const noexcept { return hint_; }
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    using HintWindowFactory = std::function<std::unique_ptr<HintWindow>()>;
    // The class of the hint window; a window of another class is replaced before the next hint.
    void SetHintWindowClass(HintWindowFactory factory);
    void SetShowHint(bool show);
    HintWindow* CurrentHintWindow() const noexcept { return hintWindow_.get(); }
    // Every request to hide the current hint ends here; a hook replaces the default hiding.
    void HideHint();
    void SetHideHintHook(std::function<void()> hook) { hideHintHook_ = std::move(hook); }
    // The control under the pointer changed (forms report it).
    void HintControlChanged(Control* control);
    // Shows the hint of the current control now, as the pause timer would.
    void ActivateCurrentHint();

    void AddForm(Form& form);
    void RemoveForm(Form& form) noexcept;

private:
    Application() = default;
    void Dispatch(MSG& message);
    void CancelHint();
    void StartTimer(UINT_PTR& timer, int milliseconds);
    void StopTimer(UINT_PTR& timer) noexcept;
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);

    win::Screen screen_;
    Form* mainForm_ = nullptr;
    std::vector<Form*> forms_;
    bool terminated_ = false;

    std::wstring hint_;
    Control* hintControl_ = nullptr;
    HintWindowFactory hintFactory_;
    std::unique_ptr<HintWindow> hintWindow_;
    bool hintWindowStale_ = false;
    bool showHint_ = true;
    bool hintActive_ = false;
    std::function<void()> hideHintHook_;
    UINT_PTR showTimer_ = 0;
    UINT_PTR hideTimer_ = 0;
};

}  // namespace vt::win
