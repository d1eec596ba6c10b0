// The program's entry point: the process-wide cursor and hint set-up, then the start-up sequence
// with its two modes, the windowless update check and the three windows.
#include <windows.h>

#include <commctrl.h>

#include "app/EntrySequence.h"
#include "app/win/ProgramArguments.h"
#include "app/win/RunOnce.h"
#include "engine/RestartWindows.h"
#include "engine/win/WinShutdownApi.h"
#include "i18n/Captions.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/SystemClock.h"
#include "registry/win/WinDateLocale.h"
#include "registry/win/WinRegistryBackend.h"
#include "shell/win/WinLauncher.h"
#include "ui/ShownWindow.h"
#include "ui/win/Application.h"
#include "ui/win/NativeHandCursor.h"
#include "ui/win/NativeHintWindow.h"
#include "ui/win/Sound.h"
#include "ui/win/WinPacing.h"
#include "ui/win/forms/VarnixAboutForm.h"
#include "ui/win/forms/VarnixForm.h"
#include "ui/win/forms/VarnixSettingsForm.h"
#include "update/win/WinCheckMode.h"

namespace vt {
namespace {

// What both modes share; made before either runs and kept until the process ends.
struct ProgramServices {
    WinRegistryBackend backend;
    CustomRegistry registry{backend};
    SystemClock clock;
    WinDateLocale locale;
    WinLanguageResources tables;
    Captions captions{registry, tables, &DecodeAnsiCodePage};
    WinLauncher launcher;
    WinInstanceFinder instances;
};

class FormVisibility final : public ShownWindow {
public:
    explicit FormVisibility(const win::Form& form) : form_(form) {}
    bool IsVisible() const override { return form_.Visible(); }

private:
    const win::Form& form_;
};

// The main, About and progress windows, made in this order (the About and progress windows
// hidden), then the message loop until the main window is closed. Everything the windows use is
// declared before them, so it outlives them.
void RunWindows(ProgramServices& s) {
    win::Application& app = win::Application::Instance();
    win::Sound sound;
    WinShutdownApi shutdownApi;
    WindowsRestarter restarter(shutdownApi);
    win::WinPacing pacing;
    TVTSettingsForm progress(s.captions, pacing);
    FormVisibility progressVisibility(progress);
    win::MainWindow* mainWindow = nullptr;
    TVTAboutForm about(s.captions, sound, s.launcher, [&mainWindow](int key, bool& handled) {
        if (mainWindow != nullptr) {
            mainWindow->ApplicationEventsShortCut(KeyMessage{static_cast<unsigned>(key)}, handled);
        }
    });
    win::MainWindow main(win::MainWindowParts{about, progress, progressVisibility, sound, restarter,
                                              s.launcher, s.backend, s.registry, s.captions,
                                              s.locale, s.clock});
    mainWindow = &main;

    main.Create();
    if (main.Handle() == nullptr) {
        return;
    }
    app.SetMainForm(main.Window());
    s.launcher.SetApplicationWindow(main.Handle());
    about.Create(main.Handle());
    progress.Create(main.Handle());
    main.Window().Show();
    app.Run();
}

}  // namespace
}  // namespace vt

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                       ICC_USEREX_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    // Process-wide, before anything else: the system's hand cursor and the native hint window.
    vt::win::InstallNativeHandCursor();
    vt::win::InstallNativeHintWindow();

    vt::ProgramServices services;
    const vt::EntryServices entry{services.registry,
                                  services.clock,
                                  services.locale,
                                  services.instances,
                                  [&services] { vt::RunWinCheckMode(services.captions); },
                                  [&services] { vt::RunWindows(services); }};
    vt::RunEntrySequence(vt::ProgramArguments(), entry);
    return 0;
}
