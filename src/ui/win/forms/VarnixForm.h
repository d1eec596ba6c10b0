#pragma once

#include <windows.h>

#include <memory>

#include "engine/Restarter.h"
#include "i18n/Captions.h"
#include "registry/CustomRegistry.h"
#include "registry/DateStamp.h"
#include "registry/RegistryBackend.h"
#include "shell/Launcher.h"
#include "ui/AboutView.h"
#include "ui/ClickSound.h"
#include "ui/MainFormLogic.h"
#include "ui/ProgressView.h"
#include "ui/ShownWindow.h"
#include "ui/win/Form.h"

namespace vt::win {

// A form seen as a window whose visibility the help key asks about, e.g. the progress window.
class ShownForm final : public ShownWindow {
public:
    explicit ShownForm(const Form& form) : form_(form) {}
    bool IsVisible() const override { return form_.Visible(); }

private:
    const Form& form_;
};

// What the main window works with; all of it outlives the window.
struct MainWindowParts {
    AboutView& about;
    ProgressView& progress;
    const ShownWindow& progressWindow;  // for the help key: ShownForm over the progress window
    ClickSound& sound;
    Restarter& restarter;
    Launcher& launcher;
    RegistryBackend& backend;  // the store under `registry`
    CustomRegistry& registry;
    const Captions& captions;
    const DateLocale& dates;
    const Clock& clock;
};

// TVTMainForm, the application's main window. Start-up makes it first:
//
//     TVTSettingsForm progress(captions, pacing);
//     ShownForm progressShown(progress);
//     MainWindow main({about, progress, progressShown, sound, restarter, launcher, backend,
//                      registry, captions, dates, clock});
//     main.Create();                               // hidden; FormCreate has filled it in
//     Application::Instance().SetMainForm(main.Window());
//     ... create the About window, then progress.Create(main.Handle()) ...
//     main.Window().Show();
//     Application::Instance().Run();               // until the main window is closed
//
// Create also hooks the application-wide key event (the help key) to this window.
// The About window's Help button calls ApplicationEventsShortCut with F1.
class MainWindow {
public:
    explicit MainWindow(const MainWindowParts& parts);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void Create();
    Form& Window() noexcept;
    HWND Handle() const noexcept;
    MainFormLogic& Logic() noexcept;
    void ApplicationEventsShortCut(const KeyMessage& msg, bool& handled) noexcept;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace vt::win
