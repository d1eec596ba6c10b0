// The real main window under Wine: class, frame, layout at the monitor's density, texts in both
// languages, preselections, and an optimize and a Restore driven through its buttons.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/TweakCatalogue.h"
#include "engine/WindowsVersion.h"
#include "engine/win/WinVersionQuery.h"
#include "i18n/Captions.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/EnglishDateLocale.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "registry/SystemClock.h"
#include "registry/win/WinRegistryBackend.h"
#include "shell/WebHost.h"
#include "ui/MainFormBindings.h"
#include "ui/win/Application.h"
#include "ui/win/Dpi.h"
#include "ui/win/ImageCombo.h"
#include "ui/win/Label.h"
#include "ui/win/ProgressBar.h"
#include "ui/win/TrackBar.h"
#include "ui/win/WinPacing.h"
#include "ui/win/forms/VarnixForm.h"
#include "ui/win/forms/VarnixSettingsForm.h"

namespace vt::win {
namespace {

class NoAbout final : public AboutView {
public:
    void ShowModalOverMainWindow() override {}
    bool IsVisible() const override { return false; }
};

// Stands in for the progress window: counts the steps, pumps the queue as a step does, and lets a
// test act in the middle of an operation.
class StepCounter final : public ProgressView, public ShownWindow {
public:
    void ShowOverMainWindow() override { shown = true; }
    void SetHeading(const std::wstring& text) override { heading = text; }
    void BeginSteps(int count) override {
        steps = 0;
        total = count;
    }
    void Step(const std::wstring&) override {
        ++steps;
        Application::Instance().ProcessMessages();
        if (steps == 5 && during) {
            during();
        }
    }
    void Close() override { shown = false; }
    bool IsVisible() const override { return shown; }

    bool shown = false;
    int steps = 0;
    int total = 0;
    std::wstring heading;
    std::function<void()> during;
};

class Quiet final : public ClickSound {
public:
    void PlayClickSound() noexcept override {}
};

class NoRestart final : public Restarter {
public:
    void RestartWindows() noexcept override { ++requests; }
    int requests = 0;
};

class NoLaunch final : public Launcher {
public:
    void OpenDocument(const std::wstring&, const std::wstring&) override {}
    void StartProgram(const std::wstring& file, const std::wstring&) override {
        started.push_back(file);
    }
    void ShowHelpTopic(const std::wstring& file, const std::wstring& topic) override {
        opened.push_back(file + L" " + topic);
    }
    void OpenLink(const std::wstring& target) override { opened.push_back(target); }
    std::wstring ProgramFolder() const override { return L"C:\\Velotune\\"; }
    std::vector<std::wstring> started;
    std::vector<std::wstring> opened;
};

// One main window over a registry back-end of the test's choice, with a stand-in for the progress
// window or, when asked, the real one (paced as this build paces).
struct Program {
    explicit Program(RegistryBackend& store, bool realProgress = false)
        : backend(store),
          registry(backend),
          captions(registry, tables, &DecodeAnsiCodePage),
          realWindow(realProgress ? std::make_unique<TVTSettingsForm>(captions, pacing) : nullptr),
          realShown(realWindow ? std::make_unique<ShownForm>(*realWindow) : nullptr),
          window(MainWindowParts{
              about, realWindow ? static_cast<ProgressView&>(*realWindow) : progress,
              realShown ? static_cast<const ShownWindow&>(*realShown) : progress, sound, restarter,
              launcher, backend, registry, captions, dates, clock}) {
        window.Create();
        if (realWindow) {
            realWindow->Create(window.Handle());
        }
    }

    Control& At(const wchar_t* name) {
        Control* control = window.Window().FindControl(name);
        EXPECT_NE(control, nullptr);
        return *control;
    }

    RegistryBackend& backend;
    CustomRegistry registry;
    WinLanguageResources tables;
    Captions captions;
    EnglishUsDateLocale dates;
    SystemClock clock;
    NoAbout about;
    StepCounter progress;
    WinPacing pacing;
    std::unique_ptr<TVTSettingsForm> realWindow;
    std::unique_ptr<ShownForm> realShown;
    Quiet sound;
    NoRestart restarter;
    NoLaunch launcher;
    MainWindow window;
};

RECT RectInParent(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(window, buffer, 512);
    return buffer;
}

TEST(MainWindow, ClassFrameAndClientSize) {
    MemoryRegistry store;
    Program program(store);
    HWND window = program.window.Handle();
    ASSERT_NE(window, nullptr);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"TVTMainForm");
    EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    const UINT dpi = program.window.Window().Dpi();
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, Scale(764, dpi));
    EXPECT_EQ(client.bottom, Scale(500, dpi));

    // Centred on the screen, focus on "Optimize now".
    program.window.Window().Show();
    RECT outer{};
    ::GetWindowRect(window, &outer);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(outer.left + (outer.right - outer.left) / 2, screenWidth / 2, 1);
    EXPECT_NEAR(outer.top + (outer.bottom - outer.top) / 2, screenHeight / 2, 1);
    EXPECT_EQ(::GetFocus(), program.At(L"GoButton").Handle());
    EXPECT_TRUE(::GetWindowLongW(program.At(L"GoButton").Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

// The windows of the layout (pictures and bevels are painted, not windows): left, top, width and
// height at 96 DPI; 0 for a size that follows the text.
struct Placement {
    const wchar_t* name;
    const wchar_t* parent;  // nullptr: the window itself
    int x, y, w, h;
};
constexpr Placement kPlacements[] = {
    {L"NavLabel2", nullptr, 16, 98, 0, 0},
    {L"LinkLabel4", nullptr, 16, 135, 0, 0},
    {L"LinkLabel5", nullptr, 16, 165, 0, 0},
    {L"LinkLabel6", nullptr, 16, 195, 0, 0},
    {L"LinkLabel7", nullptr, 16, 251, 0, 0},
    {L"NavStatic2", nullptr, 502, 64, 0, 0},
    {L"NavStatic3", nullptr, 587, 64, 0, 0},
    {L"NavStatic4", nullptr, 695, 64, 0, 0},
    {L"NavStatic1", nullptr, 701, 22, 0, 0},
    {L"MainPanel", nullptr, 182, 91, 582, 388},
    {L"BenefitsPanel", L"MainPanel", 0, 0, 582, 65},
    {L"BenefitsLabel", L"BenefitsPanel", 16, 6, 0, 0},
    {L"BenefitsDescription", L"BenefitsPanel", 16, 25, 550, 36},
    {L"OSVersionLabel", L"MainPanel", 16, 76, 0, 0},
    {L"WindowsCombo", L"MainPanel", 16, 95, 309, 0},
    {L"ProcessorTypeLabel", L"MainPanel", 16, 134, 0, 0},
    {L"ProcessorCombo", L"MainPanel", 16, 153, 309, 0},
    {L"SpeedLabel", L"MainPanel", 16, 192, 0, 0},
    {L"SpeedTrackBar", L"MainPanel", 16, 211, 309, 55},
    {L"FastLabel", L"MainPanel", 33, 270, 0, 0},
    {L"GoButton", L"MainPanel", 400, 95, 145, 52},
    {L"RestoreButton", L"MainPanel", 400, 171, 145, 25},
    {L"VersionInstalledLabel", L"MainPanel", 16, 336, 0, 0},
    {L"SoftwareLastUpdateLabel", L"MainPanel", 16, 355, 0, 0},
    {L"UpdatesButton", L"MainPanel", 400, 336, 154, 33},
};

// Run in its own process by the high-density case below as well; the density is the monitor's.
TEST(MainWindow, ControlsStandWhereTheLayoutPutsThem) {
    MemoryRegistry store;
    Program program(store);
    const UINT dpi = program.window.Window().Dpi();
    if (const char* expected = std::getenv("VT_EXPECT_DPI")) {
        ASSERT_EQ(dpi, static_cast<UINT>(std::atoi(expected)));
    }
    RECT client{};
    ::GetClientRect(program.window.Handle(), &client);
    EXPECT_EQ(client.right, Scale(764, dpi));
    EXPECT_EQ(client.bottom, Scale(500, dpi));
    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(::testing::Message() << static_cast<const void*>(p.name) << " "
                                          << std::string(p.name, p.name + wcslen(p.name)));
        HWND control = program.At(p.name).Handle();
        ASSERT_NE(control, nullptr);
        HWND parent = p.parent ? program.At(p.parent).Handle() : program.window.Handle();
        EXPECT_EQ(::GetParent(control), parent);
        const RECT box = RectInParent(control);
        EXPECT_EQ(box.left, Scale(p.x, dpi));
        EXPECT_EQ(box.top, Scale(p.y, dpi));
        if (p.w != 0) {
            EXPECT_EQ(box.right - box.left, Scale(p.w, dpi));
        }
        if (p.h != 0) {
            EXPECT_EQ(box.bottom - box.top, Scale(p.h, dpi));
        }
        EXPECT_GT(box.right - box.left, 0);
        EXPECT_GT(box.bottom - box.top, 0);
    }
    // "Maximum Boost" ends at 307 of the panel, whatever its length.
    Control& faster = program.At(L"FasterLabel");
    for (const wchar_t* text : {L"Maximum Boost", L"A much longer text than the English one"}) {
        faster.SetText(text);
        EXPECT_EQ(RectInParent(faster.Handle()).right, Scale(307, dpi));
    }
    // The navigation labels lie just after the 24-pixel icons of their pictures.
    const std::map<const wchar_t*, int> pictures = {{L"NavStatic1", 672 + 29},
                                                    {L"NavStatic2", 471 + 31},
                                                    {L"NavStatic3", 556 + 31},
                                                    {L"NavStatic4", 664 + 31}};
    for (const auto& [label, left] : pictures) {
        EXPECT_EQ(RectInParent(program.At(label).Handle()).left, Scale(left, dpi));
    }
    auto* speed = program.window.Window().Find<TrackBar>(L"SpeedTrackBar");
    HWND bar = speed->Handle();
    EXPECT_EQ(::SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(bar, TBM_GETTHUMBLENGTH, 0, 0), Scale(33, dpi));
    EXPECT_TRUE(::GetWindowLongW(bar, GWL_STYLE) & TBS_BOTH);
}

// A process of its own with the prefix's density at 144 (a running process never sees a change),
// run serially so that no other test starts meanwhile.
TEST(MainWindow, HighDensityInAProcessOfItsOwn) {
    if (std::getenv("VT_SERIAL_DPI_TEST") == nullptr) {
        GTEST_SKIP() << "run by the serial ctest entry main_window.dpi144";
    }
    HKEY desktop = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &desktop, nullptr),
              ERROR_SUCCESS);
    DWORD old = 0;
    DWORD size = sizeof old;
    const bool hadOld = ::RegQueryValueExW(desktop, L"LogPixels", nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(&old), &size) == ERROR_SUCCESS;
    const DWORD high = 144;
    ::RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&high),
                     sizeof high);

    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) +
                           L"\" --gtest_filter=MainWindow.ControlsStandWhereTheLayoutPutsThem";
    ::SetEnvironmentVariableW(L"VT_EXPECT_DPI", L"144");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const BOOL started = ::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                          nullptr, &startup, &child);
    ::SetEnvironmentVariableW(L"VT_EXPECT_DPI", nullptr);
    DWORD exitCode = 1;
    if (started) {
        ::WaitForSingleObject(child.hProcess, 60000);
        ::GetExitCodeProcess(child.hProcess, &exitCode);
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);
    }
    if (hadOld) {
        ::RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old),
                         sizeof old);
    } else {
        ::RegDeleteValueW(desktop, L"LogPixels");
    }
    ::RegCloseKey(desktop);
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u);
}

TEST(MainWindow, TextsInEitherLanguage) {
    struct Case {
        const wchar_t* language;
        const wchar_t* title;
        const wchar_t* go;
        const wchar_t* updates;
        const wchar_t* version;
        const wchar_t* nav;
    };
    const Case cases[] = {
        {L"english", L"Velotune - Make your games run faster", L"&Optimize now",
         L" &Check for updates ...", L"Version installed : 4.3.29.2021", L"Support"},
        {L"korean", L"Velotune - 당신의 게임을 빠르게!", L"지금 최적화(&O)",
         L" 업데이트 체크(&C) ...", L"설치된 버전 : 4.3.29.2021", L"지원"},
    };
    for (const Case& c : cases) {
        MemoryRegistry store;
        CustomRegistry(store).WriteRegString(program_key::kRoot, program_key::kPath,
                                             program_key::kLanguage, c.language, false);
        Program program(store);
        EXPECT_EQ(WindowText(program.window.Handle()), c.title);
        EXPECT_EQ(WindowText(program.At(L"GoButton").Handle()), c.go);
        EXPECT_EQ(WindowText(program.At(L"UpdatesButton").Handle()), c.updates);
        EXPECT_EQ(WindowText(program.At(L"VersionInstalledLabel").Handle()), c.version);
        EXPECT_EQ(WindowText(program.At(L"NavStatic3").Handle()), c.nav);
        // The combo captions are the same in every language.
        auto* combo = program.window.Window().Find<ImageCombo>(L"WindowsCombo");
        ASSERT_EQ(combo->ItemCount(), 9);
        EXPECT_EQ(combo->ItemText(5), L"  Microsoft \u00AE Windows Server 2012");
        EXPECT_EQ(program.window.Window().Find<ImageCombo>(L"ProcessorCombo")->ItemText(1),
                  L"  AMD \u00AE Processor");
    }
}

TEST(MainWindow, PreselectionsFromTheSystemAndTheProgramKey) {
    MemoryRegistry store;
    CustomRegistry reg(store);
    reg.WriteRegInteger(program_key::kRoot, program_key::kPath, program_key::kProcessorType, 2,
                        false);
    reg.WriteRegInteger(program_key::kRoot, program_key::kPath, program_key::kSpeedSetting, 1,
                        false);
    reg.WriteRegBool(program_key::kRoot, program_key::kPath, program_key::kRestore, true, false);
    Program program(store);
    Form& form = program.window.Window();
    EXPECT_EQ(form.Find<ImageCombo>(L"WindowsCombo")->ItemIndex(),
              WindowsComboIndexForVersion(GetWindowsVersion()));
    EXPECT_EQ(form.Find<ImageCombo>(L"ProcessorCombo")->ItemIndex(), 2);
    EXPECT_EQ(form.Find<TrackBar>(L"SpeedTrackBar")->Position(), 1);
    EXPECT_TRUE(::IsWindowEnabled(program.At(L"RestoreButton").Handle()));

    MemoryRegistry clean;
    Program fresh(clean);
    EXPECT_FALSE(::IsWindowEnabled(fresh.At(L"RestoreButton").Handle()));
    EXPECT_EQ(fresh.window.Window().Find<TrackBar>(L"SpeedTrackBar")->Position(), 0);
}

TEST(MainWindow, BoundControlsAndTheHelpKeyReachTheirHandlers) {
    MemoryRegistry store;
    Program program(store);
    Form& form = program.window.Window();
    for (const MainBinding& binding : MainFormBindings()) {
        EXPECT_NE(form.FindControl(binding.control), nullptr)
            << std::string(binding.control, binding.control + wcslen(binding.control));
    }
    form.Show();
    program.At(L"LinkLabel6").Click();
    program.At(L"NavStatic3").Click();
    program.At(L"TechSupportPopup").Click();
    program.At(L"UpdatesButton").Click();
    const std::wstring host = kWebHost;
    EXPECT_EQ(program.launcher.opened,
              (std::vector<std::wstring>{L"http://" + host + L"/", L"http://" + host + L"/support/",
                                         L"http://" + host + L"/support/"}));
    EXPECT_EQ(program.launcher.started,
              std::vector<std::wstring>{L"C:\\Velotune\\VelotuneUpdate.exe"});

    // F1 pressed anywhere in the program reaches the help key through the application.
    program.launcher.opened.clear();
    ::PostMessageW(program.At(L"GoButton").Handle(), WM_KEYDOWN, VK_F1, 0);
    Application::Instance().ProcessMessages();
    EXPECT_EQ(program.launcher.opened, std::vector<std::wstring>{L"Velotune.chm /html/main.htm"});

    // Hovering a navigation picture underlines its label.
    program.At(L"NavButton2").MouseEnter();
    EXPECT_TRUE(program.At(L"NavStatic2").Font()->style & font_style::kUnderline);
    program.At(L"NavButton2").MouseLeave();
    EXPECT_FALSE(program.At(L"NavStatic2").Font()->style & font_style::kUnderline);
}

// Answers the message boxes that the main window shows, from another thread, in order.
class BoxAnswerer {
public:
    BoxAnswerer(HWND owner, std::vector<int> answers)
        : owner_(owner), answers_(std::move(answers)), thread_([this] { Run(); }) {}
    ~BoxAnswerer() { Seen(); }
    // Caption and text of each box answered.
    std::vector<std::wstring> Seen() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        return seen_;
    }

private:
    void Run() {
        std::size_t next = 0;
        while (!stop_ && next < answers_.size()) {
            HWND box = ::FindWindowW(L"#32770", nullptr);
            if (box != nullptr && ::GetWindow(box, GW_OWNER) == owner_ && ::IsWindowVisible(box)) {
                std::wstring text;
                for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
                     child = ::GetWindow(child, GW_HWNDNEXT)) {
                    wchar_t cls[32] = {};
                    ::GetClassNameW(child, cls, 32);
                    if (_wcsicmp(cls, L"Static") == 0 && ::GetDlgCtrlID(child) == 0xFFFF) {
                        text = WindowText(child);
                    }
                }
                seen_.push_back(WindowText(box) + L" | " + text);
                ::SendMessageW(::GetDlgItem(box, answers_[next]), BM_CLICK, 0, 0);
                ++next;
                ::Sleep(200);
            }
            ::Sleep(20);
        }
    }

    HWND owner_;
    std::vector<int> answers_;
    std::vector<std::wstring> seen_;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

// The real registry of the test prefix: every value the operations touch is put back afterwards.
// Tests run in parallel processes; a named mutex lets one at a time change these values.
class PrefixRegistry {
public:
    PrefixRegistry()
        : lock_(::CreateMutexW(nullptr, FALSE, L"VelotuneTests.PrefixCatalogue")),
          registry_(backend_) {
        if (lock_ != nullptr) {
            const DWORD waited = ::WaitForSingleObject(lock_, 120000);
            locked_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        }
        for (const Tweak& tweak : TweakCatalogue()) {
            saved_.push_back({tweak.root, tweak.key, tweak.value,
                              registry_.ReadRegRaw(tweak.root, tweak.key, tweak.value, false)});
        }
        for (const wchar_t* name : {program_key::kProcessorType, program_key::kSpeedSetting,
                                    program_key::kRestore, program_key::kLanguage}) {
            saved_.push_back(
                {program_key::kRoot, program_key::kPath, name,
                 registry_.ReadRegRaw(program_key::kRoot, program_key::kPath, name, false)});
        }
    }
    ~PrefixRegistry() {
        for (const Saved& value : saved_) {
            if (value.value) {
                registry_.WriteRegRaw(value.root, value.key, value.name, *value.value, false);
            } else {
                registry_.DeleteRegValue(value.root, value.key, value.name, false);
            }
        }
        if (locked_) {
            ::ReleaseMutex(lock_);
        }
        if (lock_ != nullptr) {
            ::CloseHandle(lock_);
        }
    }
    PrefixRegistry(const PrefixRegistry&) = delete;
    PrefixRegistry& operator=(const PrefixRegistry&) = delete;
    RegistryBackend& Backend() { return backend_; }
    CustomRegistry& Registry() { return registry_; }
    std::optional<RegValue> Read(int row) {
        const Tweak& tweak = TweakCatalogue()[static_cast<std::size_t>(row - 1)];
        return registry_.ReadRegRaw(tweak.root, tweak.key, tweak.value, false);
    }

private:
    void Save(const std::wstring& key, const std::wstring& name) {
        saved_.push_back({program_key::kRoot, key, name,
                          registry_.ReadRegRaw(program_key::kRoot, key, name, false)});
    }

    struct Saved {
        RegRoot root;
        std::wstring key;
        std::wstring name;
        std::optional<RegValue> value;
    };
    HANDLE lock_;
    bool locked_ = false;
    WinRegistryBackend backend_;
    CustomRegistry registry_;
    std::vector<Saved> saved_;
};

RegValue Dword(std::uint32_t number) {
    return {RegType::Dword,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

TEST(MainWindow, OptimizeAndRestoreThroughTheButtons) {
    PrefixRegistry prefix;
    CustomRegistry& reg = prefix.Registry();
    using namespace program_key;
    reg.DeleteRegValue(kRoot, kPath, kRestore, false);
    reg.WriteRegString(kRoot, kPath, kLanguage, L"english", false);
    // The user's own settings before the first optimization. The five backed-up values exist on
    // every Windows (a fresh Wine prefix lacks them, and their backup would take the defaults).
    const auto tweak = [](int number) -> const Tweak& {
        return TweakCatalogue()[static_cast<std::size_t>(number - 1)];
    };
    reg.WriteRegString(tweak(1).root, tweak(1).key, tweak(1).value, L"0", false);
    reg.WriteRegInteger(tweak(2).root, tweak(2).key, tweak(2).value, 1, false);
    reg.WriteRegInteger(tweak(3).root, tweak(3).key, tweak(3).value, 1, false);
    reg.WriteRegInteger(tweak(4).root, tweak(4).key, tweak(4).value, 38, false);
    reg.WriteRegInteger(tweak(5).root, tweak(5).key, tweak(5).value, 0, false);
    const Tweak& prefetcher = TweakCatalogue()[16];
    reg.WriteRegInteger(prefetcher.root, prefetcher.key, prefetcher.value, 3, false);
    const auto before = [&] {
        std::vector<std::optional<RegValue>> values;
        for (int row = 1; row <= 20; ++row) {
            values.push_back(prefix.Read(row));
        }
        return values;
    }();

    Program program(prefix.Backend(), true);
    Form& form = program.window.Window();
    form.Show();
    form.Find<ImageCombo>(L"WindowsCombo")->SetItemIndex(0);  // Windows 10
    form.Find<ImageCombo>(L"ProcessorCombo")->SetItemIndex(1);
    form.Find<TrackBar>(L"SpeedTrackBar")->SetPosition(1);
    HWND restoreButton = program.At(L"RestoreButton").Handle();
    EXPECT_FALSE(::IsWindowEnabled(restoreButton));
    const std::wstring caption = L"Velotune - Make your games run faster";
    const std::wstring restartQuestion =
        caption +
        L" | The changes to the computer's gaming performance settings have finished.\r\n\r\n"
        L"You will need to restart Windows for the changes to become active.\r\n\r\n"
        L"Click Yes to restart the computer now, or click No to restart later.";
    {
        BoxAnswerer answerer(program.window.Handle(), {IDNO});
        ::SendMessageW(program.At(L"GoButton").Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(answerer.Seen(), std::vector<std::wstring>{restartQuestion});
    }
    // The progress window went through every step and is gone again.
    TVTSettingsForm& progress = *program.realWindow;
    EXPECT_EQ(progress.Find<ProgressBar>(L"MainProgress")->Position(), 100);
    EXPECT_EQ(progress.FindControl(L"CurrentSettingsLabel")->Text(),
              L"Writing new gaming settings...");
    EXPECT_FALSE(progress.Visible());
    EXPECT_TRUE(::IsWindowEnabled(program.window.Handle()));
    EXPECT_TRUE(::IsWindowEnabled(restoreButton));
    EXPECT_EQ(program.restarter.requests, 0);
    EXPECT_EQ(reg.ReadRegInteger(kRoot, kPath, kProcessorType, -1, false), 1);
    EXPECT_EQ(reg.ReadRegInteger(kRoot, kPath, kSpeedSetting, -1, false), 1);
    EXPECT_TRUE(reg.ReadRegBool(kRoot, kPath, kRestore, false, false));
    EXPECT_EQ(reg.ReadRegInteger(kRoot, kPath, L"Win32PrioritySeparation", -1, false), 38);
    EXPECT_EQ(prefix.Read(4), Dword(1));
    EXPECT_EQ(prefix.Read(17), Dword(1));
    EXPECT_EQ(prefix.Read(16), Dword(4));
    EXPECT_EQ(prefix.Read(20), Dword(1));

    {
        BoxAnswerer answerer(program.window.Handle(), {IDOK, IDNO});
        ::SendMessageW(restoreButton, BM_CLICK, 0, 0);
        const auto seen = answerer.Seen();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0], caption +
                               L" | This will restore all changes made to the computer's gaming "
                               L"performance settings to their original recommended values."
                               L"\r\n\r\nClick OK to continue.");
        EXPECT_EQ(seen[1], restartQuestion);
    }
    EXPECT_EQ(progress.Find<ProgressBar>(L"MainProgress")->Position(), 100);
    EXPECT_EQ(progress.FindControl(L"CurrentSettingsLabel")->Text(),
              L"Restoring gaming settings...");
    EXPECT_FALSE(progress.Visible());
    EXPECT_FALSE(::IsWindowEnabled(restoreButton));
    EXPECT_FALSE(reg.ReadRegBool(kRoot, kPath, kRestore, false, false));
    EXPECT_EQ(reg.ReadRegInteger(kRoot, kPath, kProcessorType, -1, false), 1);
    for (int row = 1; row <= 20; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(prefix.Read(row), before[static_cast<std::size_t>(row - 1)]);
    }
}

TEST(MainWindow, SessionEndAndCloseWaitForTheRegistryWork) {
    PrefixRegistry prefix;
    prefix.Registry().DeleteRegValue(program_key::kRoot, program_key::kPath, program_key::kRestore,
                                     false);
    Program program(prefix.Backend());
    Form& form = program.window.Window();
    form.Show();
    form.Find<ImageCombo>(L"WindowsCombo")->SetItemIndex(0);
    HWND window = program.window.Handle();
    LRESULT duringAnswer = TRUE;
    bool visibleAfterClose = false;
    program.progress.during = [&] {
        duringAnswer = ::SendMessageW(window, WM_QUERYENDSESSION, 0, 0);
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        visibleAfterClose = ::IsWindowVisible(window) != FALSE;
    };
    {
        BoxAnswerer answerer(window, {IDNO});
        ::SendMessageW(program.At(L"GoButton").Handle(), BM_CLICK, 0, 0);
        // The close was kept: no restart question.
        EXPECT_TRUE(answerer.Seen().empty());
    }
    EXPECT_EQ(duringAnswer, FALSE);
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_EQ(program.progress.steps, 31);
    EXPECT_TRUE(prefix.Registry().ReadRegBool(program_key::kRoot, program_key::kPath,
                                              program_key::kRestore, false, false));
    EXPECT_EQ(::SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    // The close request is carried out once the handler has returned.
    Application::Instance().ProcessMessages();
    EXPECT_FALSE(form.Visible());
    // Undo what the optimization wrote; the saved values go back when `prefix` ends.
    UndoTweaks(prefix.Registry(), ConvertWindowsVersion(0));
}

}  // namespace
}  // namespace vt::win
