#include "ui/win/forms/VarnixForm.h"

#include <commctrl.h>

#include "engine/win/WinVersionQuery.h"
#include "ui/MainFormBindings.h"
#include "ui/win/Application.h"
#include "ui/win/Fonts.h"
#include "ui/win/ImageCombo.h"
#include "ui/win/PopupMenu.h"
#include "ui/win/TrackBar.h"
#include "ui/win/forms/VarnixFormLayout.h"

namespace vt::win {
namespace {

constexpr UINT_PTR kSessionSubclass = 0x5654;  // "VT"

// The main window whose help key the application's key event runs.
const MainWindow* shortCutOwner = nullptr;

// The window's controls as the main window's logic sees them.
class FormView final : public MainView {
public:
    explicit FormView(Form& form) : form_(form) {}

    vt::Form& AsForm() override { return form_; }
    std::wstring Caption() const override { return form_.Title(); }
    std::wstring ControlText(const std::wstring& control) const override {
        const Control* found = form_.FindControl(control);
        return found != nullptr ? found->Text() : std::wstring();
    }
    void SetControlText(const std::wstring& control, const std::wstring& text) override {
        if (Control* found = form_.FindControl(control)) {
            found->SetText(text);
        }
    }
    int WindowsItem() const override { return ComboIndex(L"WindowsCombo"); }
    void SelectWindowsItem(int index) override { SelectCombo(L"WindowsCombo", index); }
    int ProcessorItem() const override { return ComboIndex(L"ProcessorCombo"); }
    void SelectProcessorItem(int index) override { SelectCombo(L"ProcessorCombo", index); }
    int SpeedPosition() const override {
        const TrackBar* bar = form_.Find<TrackBar>(L"SpeedTrackBar");
        return bar != nullptr ? bar->Position() : 0;
    }
    void SetSpeedPosition(int position) override {
        if (TrackBar* bar = form_.Find<TrackBar>(L"SpeedTrackBar")) {
            bar->SetPosition(position);
        }
    }
    void SetRestoreEnabled(bool enabled) override {
        if (Control* button = form_.FindControl(L"RestoreButton")) {
            button->SetEnabled(enabled);
        }
    }
    void SetEnabled(bool enabled) override { form_.SetEnabled(enabled); }
    void RequestFocus() override {
        // Refused while hidden: showing the window focuses its first control.
        if (!form_.Visible()) {
            return;
        }
        if (Control* button = form_.FindControl(L"GoButton")) {
            button->SetFocus();
        }
    }
    WindowGeometry Geometry() const override {
        RECT outer{};
        RECT client{};
        ::GetWindowRect(form_.Handle(), &outer);
        ::GetClientRect(form_.Handle(), &client);
        return {{outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top},
                client.right - client.left,
                client.bottom - client.top};
    }
    PixelBox ControlBounds(const std::wstring& control) const override {
        const Control* found = form_.FindControl(control);
        if (found == nullptr) {
            return {};
        }
        const RECT box = found->Bounds();
        return {box.left, box.top, box.right - box.left, box.bottom - box.top};
    }
    void ShowPopupMenu(int x, int y) override {
        if (PopupMenu* menu = form_.Find<PopupMenu>(L"PopupMenu")) {
            menu->Popup(x, y);
        }
    }
    void PostClose() override { ::PostMessageW(form_.Handle(), WM_CLOSE, 0, 0); }
    void BlockShutdown(const std::wstring& reason) override {
        ::ShutdownBlockReasonCreate(form_.Handle(), reason.c_str());
    }
    void UnblockShutdown() override { ::ShutdownBlockReasonDestroy(form_.Handle()); }
    bool IsVisible() const override { return form_.Visible(); }

private:
    int ComboIndex(const wchar_t* name) const {
        const ImageCombo* combo = form_.Find<ImageCombo>(name);
        return combo != nullptr ? combo->ItemIndex() : -1;
    }
    void SelectCombo(const wchar_t* name, int index) {
        if (ImageCombo* combo = form_.Find<ImageCombo>(name)) {
            combo->SetItemIndex(index);
        }
    }

    Form& form_;
};

// System message boxes owned by the main window.
class OwnedDialogs final : public Dialogs {
public:
    explicit OwnedDialogs(Form& form) : form_(form) {}
    int Ask(const std::wstring& text, const std::wstring& caption, unsigned style) override {
        return ::MessageBoxW(form_.Handle(), text.c_str(), caption.c_str(), style);
    }

private:
    Form& form_;
};

class RunningSystem final : public SystemInfo {
public:
    FontSpec IconTitleFont() const override { return win::IconTitleFont(); }
    std::int32_t WindowsVersion() const override { return GetWindowsVersion(); }
};

}  // namespace

struct MainWindow::Parts {
    explicit Parts(const MainWindowParts& given)
        : form(MainFormDefinition()),
          view(form),
          dialogs(form),
          logic(MainFormParts{view, given.about, given.progressWindow, given.progress, dialogs,
                              given.sound, given.restarter, given.launcher, system, given.backend,
                              given.registry, given.captions, given.dates, given.clock}) {}

    Form form;
    FormView view;
    OwnedDialogs dialogs;
    RunningSystem system;
    MainFormLogic logic;
};

namespace {

// Windows asks whether the session may end; the answer waits for the registry work.
LRESULT CALLBACK SessionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             UINT_PTR /*id*/, DWORD_PTR data) {
    if (message == WM_QUERYENDSESSION) {
        auto* logic = reinterpret_cast<MainFormLogic*>(data);
        return logic->QueryEndSession() ? TRUE : FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &SessionProc, kSessionSubclass);
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

MainWindow::MainWindow(const MainWindowParts& parts) : parts_(std::make_unique<Parts>(parts)) {
    Form& form = parts_->form;
    MainFormLogic& logic = parts_->logic;
    form.OnCreate = [&logic](Form& created) {
        ::SetWindowSubclass(created.Handle(), &SessionProc, kSessionSubclass,
                            reinterpret_cast<DWORD_PTR>(&logic));
        logic.FormCreate();
    };
    // A close request during a handler is kept and carried out once it has returned.
    form.OnCloseQuery = [&logic](Form&) { return logic.CloseQuery(); };
}

MainWindow::~MainWindow() {
    if (shortCutOwner == this) {
        Application::Instance().OnShortCut = nullptr;
        shortCutOwner = nullptr;
    }
}

void MainWindow::Create() {
    Form& form = parts_->form;
    form.Create(nullptr);
    MainFormLogic& logic = parts_->logic;
    for (const MainBinding& binding : MainFormBindings()) {
        Control* control = form.FindControl(binding.control);
        if (control == nullptr) {
            continue;
        }
        const std::wstring name = binding.control;
        const MainEvent event = binding.event;
        auto raise = [&logic, name, event](Control&) { logic.Raise(name, event); };
        switch (event) {
            case MainEvent::Click:
                control->OnClick = raise;
                break;
            case MainEvent::MouseEnter:
                control->OnMouseEnter = raise;
                break;
            case MainEvent::MouseLeave:
                control->OnMouseLeave = raise;
                break;
        }
    }
    Application::Instance().OnShortCut = [this](MSG& msg, bool& handled) {
        ApplicationEventsShortCut(KeyMessage{static_cast<unsigned>(msg.wParam)}, handled);
    };
    shortCutOwner = this;
}

Form& MainWindow::Window() noexcept {
    return parts_->form;
}

HWND MainWindow::Handle() const noexcept {
    return parts_->form.Handle();
}

MainFormLogic& MainWindow::Logic() noexcept {
    return parts_->logic;
}

void MainWindow::ApplicationEventsShortCut(const KeyMessage& msg, bool& handled) noexcept {
    parts_->logic.ApplicationEventsShortCut(msg, handled);
}

}  // namespace vt::win
