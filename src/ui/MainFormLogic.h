#pragma once

#include <string>

#include "app/ProgramVersion.h"
#include "engine/Restarter.h"
#include "i18n/Captions.h"
#include "registry/CustomRegistry.h"
#include "registry/DateStamp.h"
#include "registry/RegistryBackend.h"
#include "shell/Launcher.h"
#include "ui/AboutView.h"
#include "ui/ClickSound.h"
#include "ui/Dialogs.h"
#include "ui/MainFormBindings.h"
#include "ui/MainView.h"
#include "ui/OperationSupport.h"
#include "ui/ProgressView.h"
#include "ui/SystemInfo.h"

namespace vt {

inline constexpr unsigned kHelpKey = 112;  // F1

// A key press as the application-wide shortcut event sees it.
struct KeyMessage {
    unsigned virtualKey = 0;
};

// Everything the main window works with besides itself.
struct MainFormParts {
    MainView& view;
    AboutView& about;
    const ShownWindow& progressWindow;
    ProgressView& progress;
    Dialogs& dialogs;
    ClickSound& sound;
    Restarter& restarter;
    Launcher& launcher;
    const SystemInfo& system;
    RegistryBackend& backend;  // the store under `registry`
    CustomRegistry& registry;
    const Captions& captions;
    const DateLocale& dates;
    const Clock& clock;
};

// The main window's behaviour: filling itself in, its handlers and the program-wide help key.
// Every entry point catches whatever its body raises and ends silently at the failing step.
class MainFormLogic {
public:
    explicit MainFormLogic(MainFormParts parts) : parts_(std::move(parts)) {}

    void FormCreate() noexcept;
    // An event of a control or menu item, run by the handler that the binding table names.
    void Raise(const std::wstring& control, MainEvent event) noexcept;
    void ApplicationEventsShortCut(const KeyMessage& msg, bool& handled) noexcept;

    // The window's close request: true when it may close now; during a handler it is kept and
    // carried out when the handler has finished.
    bool CloseQuery() noexcept { return state_.RequestClose(); }
    // Windows asks whether the session may end: not while the registry is being changed.
    bool QueryEndSession() noexcept { return state_.QueryEndSession(parts_.view); }
    bool HandlerRunning() const { return state_.Busy(); }

    void NavButton1Click() noexcept;
    void NavButton2Click() noexcept;
    void NavButton3Click() noexcept;
    void NavButton4Click() noexcept;
    void HelpFilePopupClick() noexcept;
    void UpdatesButtonClick() noexcept;
    void GoButtonClick() noexcept;
    void RestoreButtonClick() noexcept;
    void NavButtonMouseEnter(const std::wstring& sender) noexcept;
    void NavButtonMouseLeave(const std::wstring& sender) noexcept;
    void LabelMouseEnter(const std::wstring& sender) noexcept;
    void LabelMouseLeave(const std::wstring& sender) noexcept;

private:
    OperationParts Operation() const;
    void SetUnderline(const std::wstring& control, bool underline) noexcept;
    void Run(MainHandler handler, const std::wstring& sender) noexcept;

    MainFormParts parts_;
    OperationState state_;
};

}  // namespace vt
