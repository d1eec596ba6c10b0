// Shows the real main window for looking at it (screenshots under Xvfb); not a test. Run with
//
//     VT_DEMO=plain|popup|hover|optimize VT_DEMO_LANG=english|korean VT_DEMO_SECONDS=20
//     wine vt_tests.exe --gtest_also_run_disabled_tests --gtest_filter='DISABLED_Main*'
//
// "popup" opens the Help menu, "hover" underlines a link and a navigation label, "optimize" runs
// an optimization with slowed steps over the progress window. The registry is an in-memory one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "i18n/Captions.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/EnglishDateLocale.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "registry/SystemClock.h"
#include "ui/win/Application.h"
#include "ui/win/Sound.h"
#include "ui/win/WinPacing.h"
#include "ui/win/forms/VarnixForm.h"
#include "ui/win/forms/VarnixSettingsForm.h"

namespace vt::win {
namespace {

class DemoAbout final : public AboutView {
public:
    void ShowModalOverMainWindow() override {}
    bool IsVisible() const override { return false; }
};

class DemoRestarter final : public Restarter {
public:
    void RestartWindows() noexcept override {}
};

class DemoLauncher final : public Launcher {
public:
    void OpenDocument(const std::wstring&, const std::wstring&) override {}
    void StartProgram(const std::wstring&, const std::wstring&) override {}
    void ShowHelpTopic(const std::wstring&, const std::wstring&) override {}
    void OpenLink(const std::wstring&) override {}
    std::wstring ProgramFolder() const override { return L"C:\\Velotune\\"; }
};

// Steps slowed down so that the progress window stays long enough to be looked at.
class SlowPacing final : public PacingPlatform {
public:
    void Reseed() override { inner_.Reseed(); }
    int RandomRange(int from, int to) override { return inner_.RandomRange(from, to); }
    void ProcessMessages() override { inner_.ProcessMessages(); }
    void Sleep(int milliseconds) override { inner_.Sleep(milliseconds * 30); }

private:
    WinPacing inner_;
};

std::string Env(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : fallback;
}

void PumpFor(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        Application::Instance().ProcessMessages();
        ::Sleep(10);
    }
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

TEST(DISABLED_MainWindowDemo, Show) {
    const std::string mode = Env("VT_DEMO", "plain");
    const int seconds = std::atoi(Env("VT_DEMO_SECONDS", "20").c_str());
    const std::string language = Env("VT_DEMO_LANG", "english");

    MemoryRegistry store;
    CustomRegistry registry(store);
    registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                            std::wstring(language.begin(), language.end()), false);
    registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kUpdatedDate,
                            std::to_wstring(DateTimeToStamp(SystemClock().Now())), false);
    WinLanguageResources tables;
    Captions captions(registry, tables, &DecodeAnsiCodePage);
    EnglishUsDateLocale dates;
    SystemClock clock;
    DemoAbout about;
    SlowPacing pacing;
    TVTSettingsForm progress(captions, pacing);
    ShownForm progressShown(progress);
    Sound sound;
    DemoRestarter restarter;
    DemoLauncher launcher;
    MainWindow window({about, progress, progressShown, sound, restarter, launcher, store, registry,
                       captions, dates, clock});
    window.Create();
    progress.Create(window.Handle());
    window.Window().Show();
    PumpFor(500);

    if (mode == "popup") {
        ::SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), &CloseMenu);
        window.Window().FindControl(L"NavButton1")->Click();
    } else if (mode == "hover") {
        window.Window().FindControl(L"LinkLabel5")->MouseEnter();
        window.Window().FindControl(L"NavButton3")->MouseEnter();
    } else if (mode == "optimize") {
        window.Window().FindControl(L"GoButton")->Click();
        return;  // ends with the restart question; the demo is stopped from outside
    }
    PumpFor(seconds * 1000);
}

}  // namespace
}  // namespace vt::win
