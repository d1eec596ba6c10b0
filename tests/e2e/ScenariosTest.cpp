// The real program (the suite's copy, quick pacing) worked from another process as a user would,
// the registry of the prefix checked afterwards. Each case puts back what it changed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <thread>

#include "e2e/Driver.h"
#include "e2e/Paths.h"
#include "e2e/Scenario.h"

namespace vt::e2e {
namespace {

const std::vector<std::wstring> kWindowsItems = {
    L"  Microsoft \u00ae Windows 10",          L"  Microsoft \u00ae Windows 8",
    L"  Microsoft \u00ae Windows 7",           L"  Microsoft \u00ae Windows Vista",
    L"  Microsoft \u00ae Windows XP",          L"  Microsoft \u00ae Windows Server 2012",
    L"  Microsoft \u00ae Windows Server 2008", L"  Microsoft \u00ae Windows Server 2003",
    L"  Microsoft \u00ae Windows Server 2000"};
const std::vector<std::wstring> kProcessorItems = {
    L"  Intel \u00ae Processor", L"  AMD \u00ae Processor", L"  VIA \u00ae Processor"};
constexpr int kWindows10Item = 0;
constexpr int kServer2003Item = 7;
const std::wstring kRestartQuestion =
    L"The changes to the computer's gaming performance settings have finished.\r\n\r\n"
    L"You will need to restart Windows for the changes to become active.\r\n\r\n"
    L"Click Yes to restart the computer now, or click No to restart later.";
const std::wstring kResetQuestion =
    L"This will restore all changes made to the computer's gaming performance settings to their "
    L"original recommended values.\r\n\r\nClick OK to continue.";
const std::wstring kUpdateQuestion =
    L"An update for this software is available to download.\r\n\r\n"
    L"Do you want to download and install a new version of this software?";
const std::wstring kVersionAppDefaults = L"Software\\Wine\\AppDefaults\\Velotune.exe";

class ProgramScenario : public ::testing::Test {
protected:
    void SetUp() override {
        EndEveryProgram();
        snapshot_.AddKey(HKEY_LOCAL_MACHINE, kProgramKey);
        snapshot_.AddKey(HKEY_CURRENT_USER, kVersionAppDefaults);
        for (const CatalogueRow& row : Catalogue()) {
            snapshot_.AddValue({row.root, row.path, row.name});
        }
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kProgramKey);  // a first start
        ServerAnswers("QENTRA|0");
        ForgetServerRequests();
        WriteHostFile(WorkFile("updater.log"), "");
    }
    void TearDown() override {
        EndEveryProgram();
        snapshot_.Restore();
    }

    static void EndEveryProgram() {
        for (const wchar_t* name : {L"Velotune.exe", L"VelotuneUpdate.exe"}) {
            for (DWORD id : ProcessesNamed(name)) {
                EndProcess(id);
            }
        }
    }
    static void SetStored(const wchar_t* name, const RawValue& value) {
        WriteValue(HKEY_LOCAL_MACHINE, kProgramKey, name, value);
    }
    static std::optional<RawValue> Stored(const wchar_t* name) {
        return ReadValue(HKEY_LOCAL_MACHINE, kProgramKey, name);
    }

    // Started and shown: its main window painted and the program waiting for input.
    static HWND StartAndWait(Process& program, const std::wstring& arguments = L"") {
        program = Process::Start(ProgramExe(), arguments);
        if (!program) {
            return nullptr;
        }
        HWND main = WaitForVisibleWindow(kMainClass, program.Id(), 30s);
        WaitIdle(program.Id(), 10s);
        return main;
    }
    static HWND Control(HWND window, const std::wstring& text) {
        return ChildWithText(window, text);
    }
    // The ComboBoxEx whose first item is this.
    static HWND ComboStartingWith(HWND window, const std::wstring& firstItem) {
        for (HWND child : Descendants(window)) {
            if (ClassOf(child) == L"ComboBoxEx32") {
                const auto items = ComboItems(child);
                if (!items.empty() && items.front() == firstItem) {
                    return child;
                }
            }
        }
        return nullptr;
    }
    static std::map<std::wstring, std::optional<RawValue>> TweakedValues() {
        std::map<std::wstring, std::optional<RawValue>> values;
        for (const CatalogueRow& row : Catalogue()) {
            values[std::to_wstring(row.row)] = ReadValue(row.root, row.path, row.name);
        }
        return values;
    }
    static std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path) {
        std::vector<std::wstring> names;
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return names;
        }
        wchar_t name[16384];
        for (DWORD i = 0;; ++i) {
            DWORD length = 16384;
            if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            names.push_back(name);
        }
        RegCloseKey(key);
        return names;
    }

    // Presses a button of the main window and returns the question it leads to.
    static std::optional<MessageBoxInfo> PressAndAsk(HWND main, const std::wstring& button,
                                                     Milliseconds timeout = 90s) {
        HWND control = Control(main, button);
        if (control == nullptr) {
            ADD_FAILURE() << "no button " << std::string(button.begin(), button.end());
            return std::nullopt;
        }
        Click(control);
        return WaitForMessageBox(WindowProcess(main), timeout);
    }

    // One click on the link, once the main window takes input, opens the About window: the first
    // showing moves the pointer onto the link and clicks, a later one clicks where the pointer was
    // left, with no move before it.
    static bool OpenAbout(DWORD program, HWND link, HWND about, int showing) {
        const HWND main = GetAncestor(link, GA_ROOT);
        if (!WaitForForeground(main, 10s)) {
            ADD_FAILURE() << "the main window did not come back to the foreground";
            return false;
        }
        if (showing == 1) {
            MouseClick(link);
        } else {
            POINT pointer{};
            GetCursorPos(&pointer);
            EXPECT_EQ(WindowFromPoint(pointer), link) << "the pointer left the link";
            MouseClickInPlace();
        }
        if (!WaitUntil([&] { return IsWindowVisible(about) != FALSE; }, 10s)) {
            return false;
        }
        WaitIdle(program, 5s);
        return true;
    }

    static void ExpectRestartQuestion(const std::optional<MessageBoxInfo>& box, HWND main,
                                      const std::wstring& caption, const std::wstring& text) {
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, caption);
        EXPECT_EQ(box->text, text);
        EXPECT_EQ(box->owner, main);
        EXPECT_EQ(ToString(box->icon), L"warning");
        EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(box->defaultButton, IDNO);
        EXPECT_EQ(box->focusedButton, IDNO);
    }

    RegistrySnapshot snapshot_;
};

TEST_F(ProgramScenario, FirstStart) {
    const long long before = LocalStampNow();
    Process program;
    const HWND main = StartAndWait(program);
    ASSERT_NE(main, nullptr);
    const long long after = LocalStampNow();

    // "InstalledDate": a stamp of the start, in local time.
    const auto installed = Stored(L"InstalledDate");
    ASSERT_TRUE(installed);
    ASSERT_EQ(installed->type, static_cast<DWORD>(REG_SZ));
    const long long stamp =
        std::wcstoll(reinterpret_cast<const wchar_t*>(installed->data.data()), nullptr, 10);
    EXPECT_GE(stamp, before - 2);
    EXPECT_LE(stamp, after + 2);

    // The three windows, the About and progress windows hidden.
    EXPECT_EQ(TopWindows(kMainClass).size(), 1u);
    EXPECT_EQ(TextOf(main), kEnglishCaption);
    EXPECT_EQ(ClientSize(main).cx, 764);
    EXPECT_EQ(ClientSize(main).cy, 500);
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    const auto about = TopWindows(kAboutClass, program.Id());
    const auto progress = TopWindows(kProgressClass, program.Id());
    ASSERT_EQ(about.size(), 1u);
    ASSERT_EQ(progress.size(), 1u);
    EXPECT_FALSE(IsWindowVisible(about[0]));
    EXPECT_FALSE(IsWindowVisible(progress[0]));
    EXPECT_EQ(ClientSize(about[0]).cx, 700);
    EXPECT_EQ(ClientSize(about[0]).cy, 441);
    EXPECT_EQ(ClientSize(progress[0]).cx, 479);
    EXPECT_EQ(ClientSize(progress[0]).cy, 146);

    // English texts, every one a window text.
    for (const wchar_t* text :
         {L"Benefits of Velotune", L"Operating System : ", L"Processor : ", L"Speed Setting : ",
          L"Boost", L"Maximum Boost", L"Version installed : 4.3.29.2021", L"Help", L"Home",
          L"Support", L"About", L"Choose a link below", L"Help with Velotune",
          L"Contact tech support", L"Click to visit our website", L"About Velotune",
          L"&Optimize now", L"&Restore", L" &Check for updates ..."}) {
        EXPECT_NE(Control(main, text), nullptr)
            << "missing: " << std::string(text, text + wcslen(text));
    }
    bool lastUpdated = false;
    for (HWND child : Descendants(main)) {
        const std::wstring text = TextOf(child);
        lastUpdated |= text.rfind(L"Last updated : ", 0) == 0 && text.size() > 20;
    }
    EXPECT_TRUE(lastUpdated) << "the install date follows \"Last updated : \"";

    // Choices: the running Windows (7 in a fresh prefix) and the processor by its name.
    const HWND windowsCombo = ComboStartingWith(main, kWindowsItems[0]);
    const HWND processorCombo = ComboStartingWith(main, kProcessorItems[0]);
    ASSERT_NE(windowsCombo, nullptr);
    ASSERT_NE(processorCombo, nullptr);
    EXPECT_EQ(ComboItems(windowsCombo), kWindowsItems);
    EXPECT_EQ(ComboItems(processorCombo), kProcessorItems);
    EXPECT_EQ(ComboSelection(windowsCombo), 2);
    std::wstring cpu;
    if (auto name =
            ReadValue(HKEY_LOCAL_MACHINE, L"Hardware\\Description\\System\\CentralProcessor\\0",
                      L"ProcessorNameString")) {
        cpu = reinterpret_cast<const wchar_t*>(name->data.data());
        std::transform(cpu.begin(), cpu.end(), cpu.begin(), ::towlower);
    }
    const int expectedCpu = cpu.find(L"intel") != std::wstring::npos ? 0
                            : cpu.find(L"amd") != std::wstring::npos ? 1
                            : cpu.find(L"via") != std::wstring::npos ? 2
                                                                     : 0;
    EXPECT_EQ(ComboSelection(processorCombo), expectedCpu) << std::string(cpu.begin(), cpu.end());

    const HWND restore = Control(main, L"&Restore");
    const HWND go = Control(main, L"&Optimize now");
    ASSERT_NE(restore, nullptr);
    ASSERT_NE(go, nullptr);
    EXPECT_FALSE(IsWindowEnabled(restore));
    EXPECT_TRUE(IsWindowEnabled(go));
    EXPECT_EQ(FocusOf(main), go);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(20s), 0u);
}

TEST_F(ProgramScenario, PreselectionFollowsTheRunningWindowsAndTheStoredChoices) {
    struct Case {
        const wchar_t* wineVersion;
        int windowsItem;
    };
    const Case cases[] = {{L"win10", 0}, {L"win2008", 6}, {L"vista", 3}};
    SetStored(L"ProcessorType", Dword(2));
    SetStored(L"SpeedSetting", Dword(1));
    SetStored(L"Restore", Dword(1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wineVersion);
        WriteValue(HKEY_CURRENT_USER, kVersionAppDefaults, L"Version", Sz(c.wineVersion));
        Process program;
        const HWND main = StartAndWait(program);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(ComboSelection(ComboStartingWith(main, kWindowsItems[0])), c.windowsItem);
        EXPECT_EQ(ComboSelection(ComboStartingWith(main, kProcessorItems[0])), 2);
        HWND trackbar = nullptr;
        for (HWND child : Descendants(main)) {
            if (ClassOf(child) == L"msctls_trackbar32") {
                trackbar = child;
            }
        }
        ASSERT_NE(trackbar, nullptr);
        EXPECT_EQ(SendMessageW(trackbar, TBM_GETPOS, 0, 0), 1);
        EXPECT_TRUE(IsWindowEnabled(Control(main, L"&Restore")));
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitExit(20s), 0u);
    }
}

TEST_F(ProgramScenario, OptimizeAsWindows10AndServer2003ThenRestore) {
    // What the user had: some values set, of odd types too, the others absent.
    for (const CatalogueRow& row : Catalogue()) {
        DeleteValue(row.root, row.path, row.name);
    }
    const std::map<int, RawValue> userValues = {
        {1, Sz(L"0")}, {2, Dword(1)},  {3, Dword(1)},  {4, Dword(0x26)},   {5, Dword(0)},
        {6, Dword(1)}, {7, Sz(L"no")}, {16, Dword(3)}, {17, Sz(L"three")}, {19, Sz(L"N")},
    };
    for (const CatalogueRow& row : Catalogue()) {
        if (auto found = userValues.find(row.row); found != userValues.end()) {
            ASSERT_TRUE(WriteValue(row.root, row.path, row.name, found->second));
        }
    }
    const auto original = TweakedValues();

    Process program;
    const HWND main = StartAndWait(program);
    ASSERT_NE(main, nullptr);
    const HWND windowsCombo = ComboStartingWith(main, kWindowsItems[0]);
    ASSERT_NE(windowsCombo, nullptr);
    const HWND restore = Control(main, L"&Restore");
    ASSERT_NE(restore, nullptr);

    // Windows 10.
    SendMessageW(windowsCombo, CB_SETCURSEL, kWindows10Item, 0);
    const auto firstQuestion = PressAndAsk(main, L"&Optimize now");
    ExpectRestartQuestion(firstQuestion, main, kEnglishCaption, kRestartQuestion);
    EXPECT_FALSE(IsWindowVisible(TopWindows(kProgressClass, program.Id()).at(0)));
    for (const CatalogueRow& row : Catalogue()) {
        SCOPED_TRACE(row.row);
        const auto value = ReadValue(row.root, row.path, row.name);
        const auto expected = Written(row, 8) ? std::optional<RawValue>(row.written)
                                              : original.at(std::to_wstring(row.row));
        EXPECT_EQ(value, expected) << Describe(value).c_str();
    }
    // The backup of the five values as they were, and the flag.
    EXPECT_EQ(Stored(L"MinAnimate"), Sz(L"0"));
    EXPECT_EQ(Stored(L"DisablePagingExecutive"), Dword(1));
    EXPECT_EQ(Stored(L"LargeSystemCache"), Dword(1));
    EXPECT_EQ(Stored(L"Win32PrioritySeparation"), Dword(0x26));
    EXPECT_EQ(Stored(L"AutoReboot"), Dword(0));
    EXPECT_EQ(Stored(L"Restore"), Dword(1));
    EXPECT_TRUE(Stored(L"ProcessorType").has_value());
    EXPECT_EQ(Stored(L"SpeedSetting"), Dword(0));
    Answer(*firstQuestion, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !AnyMessageBox(program.Id()); }, 10s));
    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(restore));

    // Server 2003: rows 1 to 18; the backup stays the one taken first.
    SendMessageW(windowsCombo, CB_SETCURSEL, kServer2003Item, 0);
    const auto secondQuestion = PressAndAsk(main, L"&Optimize now");
    ExpectRestartQuestion(secondQuestion, main, kEnglishCaption, kRestartQuestion);
    for (const CatalogueRow& row : Catalogue()) {
        SCOPED_TRACE(row.row);
        const bool written = Written(row, 2) || Written(row, 8);
        const auto expected =
            written ? std::optional<RawValue>(row.written) : original.at(std::to_wstring(row.row));
        EXPECT_EQ(ReadValue(row.root, row.path, row.name), expected);
    }
    EXPECT_EQ(Stored(L"MinAnimate"), Sz(L"0"));
    EXPECT_EQ(Stored(L"Win32PrioritySeparation"), Dword(0x26));
    Answer(*secondQuestion, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !AnyMessageBox(program.Id()); }, 10s));

    // Restore, cancelled: nothing changes.
    const auto optimized = TweakedValues();
    const auto reset = PressAndAsk(main, L"&Restore", 20s);
    ASSERT_TRUE(reset);
    EXPECT_EQ(reset->caption, kEnglishCaption);
    EXPECT_EQ(reset->text, kResetQuestion);
    EXPECT_EQ(reset->owner, main);
    EXPECT_EQ(ToString(reset->icon), L"warning");
    EXPECT_EQ(reset->buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(reset->defaultButton, IDOK);
    Answer(*reset, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !AnyMessageBox(program.Id()); }, 10s));
    EXPECT_EQ(TweakedValues(), optimized);
    EXPECT_EQ(Stored(L"Restore"), Dword(1));
    EXPECT_TRUE(IsWindowEnabled(restore));

    // Restore with OK: every value as the user had it, the backup and its records gone.
    const auto confirm = PressAndAsk(main, L"&Restore", 20s);
    ASSERT_TRUE(confirm);
    Answer(*confirm, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !AnyMessageBox(program.Id()); }, 10s));
    const auto lastQuestion = WaitForMessageBox(program.Id(), 90s);
    ExpectRestartQuestion(lastQuestion, main, kEnglishCaption, kRestartQuestion);
    EXPECT_EQ(TweakedValues(), original);
    for (const wchar_t* name : {L"Restore", L"MinAnimate", L"DisablePagingExecutive",
                                L"LargeSystemCache", L"Win32PrioritySeparation", L"AutoReboot"}) {
        EXPECT_EQ(Stored(name), std::nullopt) << std::string(name, name + wcslen(name));
    }
    EXPECT_TRUE(ValueNames(HKEY_LOCAL_MACHINE, kPriorStateKey).empty());
    EXPECT_TRUE(Stored(L"ProcessorType").has_value());
    Answer(*lastQuestion, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !AnyMessageBox(program.Id()); }, 10s));
    EXPECT_FALSE(IsWindowEnabled(restore));
    EXPECT_TRUE(program.Running());
}

TEST_F(ProgramScenario, SecondStartBringsTheFirstWindowBack) {
    Process first;
    const HWND main = StartAndWait(first);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 10s));

    Process second = Process::Start(ProgramExe(), L"");
    ASSERT_TRUE(second);
    EXPECT_EQ(second.WaitExit(30s), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main); }, 10s));
    EXPECT_TRUE(WaitUntil([&] { return ForegroundWindow() == main; }, 10s));
    EXPECT_EQ(TopWindows(kMainClass).size(), 1u);
    EXPECT_TRUE(first.Running());
}

TEST_F(ProgramScenario, CheckModeWithAnUpdateClosesTheProgramAndAsks) {
    ServerAnswers("<html>news\r\n QENTRA|1 </html>");
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        WriteHostFile(WorkFile("updater.log"), "");
        ForgetServerRequests();
        Process running;
        ASSERT_NE(StartAndWait(running), nullptr);

        Process check = Process::Start(ProgramExe(), L"/CHECKUPDATE");
        ASSERT_TRUE(check);
        const auto box = WaitForMessageBox(check.Id(), 40s);
        ASSERT_TRUE(box);
        // The running instance was closed before the question.
        EXPECT_EQ(running.WaitExit(10s), 0u);
        EXPECT_TRUE(TopWindows(kMainClass).empty());
        EXPECT_EQ(box->caption, kEnglishCaption);
        EXPECT_EQ(box->text, kUpdateQuestion);
        EXPECT_EQ(box->owner, nullptr);
        EXPECT_EQ(ToString(box->icon), L"information");
        EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(box->defaultButton, IDYES);
        Answer(*box, answer);
        EXPECT_EQ(check.WaitExit(30s), 0u);
        EXPECT_TRUE(TopWindows(kMainClass).empty()) << "check mode never makes a window";
        EXPECT_EQ(ServerRequests(),
                  "GET /downloads/update/?product=velotune&version=4.3.29.2021 HTTP/1.1\t"
                  "Mozilla/4.0 (compatible; QENTRA)\n");
        if (answer == IDYES) {
            EXPECT_TRUE(WaitUntil([] { return !UpdaterLog().empty(); }, 20s));
            EXPECT_EQ(UpdaterLog(), "started with []\n");
        } else {
            std::this_thread::sleep_for(1s);
            EXPECT_EQ(UpdaterLog(), "");
        }
    }
}

TEST_F(ProgramScenario, CheckModeWithoutAnUpdateShowsNothing) {
    ServerAnswers("QENTRA|0");
    Process running;
    const HWND main = StartAndWait(running);
    ASSERT_NE(main, nullptr);
    Process check = Process::Start(ProgramExe(), L"/checkupdate");
    EXPECT_EQ(check.WaitExit(40s), 0u);
    EXPECT_FALSE(AnyMessageBox(0));
    EXPECT_TRUE(running.Running());
    EXPECT_EQ(TopWindows(kMainClass).size(), 1u);
    EXPECT_NE(ServerRequests(), "");
}

TEST_F(ProgramScenario, SwitchAsSecondArgumentStartsNormally) {
    ServerAnswers("QENTRA|1");
    Process program;
    const HWND main = StartAndWait(program, L"/normal /checkupdate");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(AnyMessageBox(0));
    EXPECT_EQ(ServerRequests(), "");
}

TEST_F(ProgramScenario, AboutWindow) {
    Process program;
    const HWND main = StartAndWait(program);
    ASSERT_NE(main, nullptr);
    const HWND about = TopWindows(kAboutClass, program.Id()).at(0);
    const HWND link = Control(main, L"About Velotune");
    ASSERT_NE(link, nullptr);
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        ASSERT_TRUE(OpenAbout(program.Id(), link, about, showing));
        EXPECT_EQ(TextOf(about), L"About Velotune");
        EXPECT_EQ(ClientSize(about).cx, 700);
        EXPECT_EQ(ClientSize(about).cy, 441);
        const LONG style = GetWindowLongW(about, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_EQ(GetWindow(about, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main)) << "shown modally";
        // Centred over the main window.
        RECT a{}, m{};
        GetWindowRect(about, &a);
        GetWindowRect(main, &m);
        EXPECT_LE(std::abs((a.left + a.right) - (m.left + m.right)), 2);
        EXPECT_LE(std::abs((a.top + a.bottom) - (m.top + m.bottom)), 2);
        EXPECT_NE(Control(about, L"Velotune 4  (Version : 4.3.29.2021)"), nullptr)
            << DescribeTexts(about).c_str();
        EXPECT_NE(Control(about, L"More information about this software"), nullptr);
        EXPECT_NE(Control(about, L"Click to view the end-user license terms"), nullptr);
        const HWND close = Control(about, L"&Close");
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(FocusOf(about), close);
        EXPECT_EQ(GetWindowLongW(close, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

        // Escape does not close it; Enter does.
        PressKey(about, VK_ESCAPE);
        std::this_thread::sleep_for(500ms);
        EXPECT_TRUE(IsWindowVisible(about));
        PressKey(about, VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 10s));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 10s));
    }
    EXPECT_TRUE(program.Running());
}

TEST_F(ProgramScenario, KoreanOnEveryWindow) {
    SetStored(L"Language", Sz(L"korean"));
    Process program;
    const HWND main = StartAndWait(program);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main),
              L"Velotune - \ub2f9\uc2e0\uc758 \uac8c\uc784\uc744 \ube60\ub974\uac8c!");
    EXPECT_NE(Control(main, L"\uc9c0\uae08 \ucd5c\uc801\ud654(&O)"), nullptr);

    // The About window, twice: the version line once each time.
    const HWND about = TopWindows(kAboutClass, program.Id()).at(0);
    const HWND link = Control(main, L"Velotune \uc815\ubcf4");
    ASSERT_NE(link, nullptr);
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        ASSERT_TRUE(OpenAbout(program.Id(), link, about, showing));
        EXPECT_EQ(TextOf(about), L"Velotune \uc815\ubcf4");
        EXPECT_NE(Control(about, L"Velotune 4  (\ubc84\uc83c : 4.3.29.2021)"), nullptr)
            << DescribeTexts(about).c_str();
        Click(Control(about, L"\ub2eb\uae30(&C)"));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 10s));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 10s));
    }

    // The progress window during an optimize, then the restart question.
    const HWND progress = TopWindows(kProgressClass, program.Id()).at(0);
    Click(Control(main, L"\uc9c0\uae08 \ucd5c\uc801\ud654(&O)"));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(progress) != FALSE; }, 20s));
    EXPECT_EQ(TextOf(progress), L"\uac8c\uc774\ubc0d \uc124\uc815");
    const auto question = WaitForMessageBox(program.Id(), 90s);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, TextOf(main));
    EXPECT_EQ(question->text.rfind(L"\ucef4\ud4e8\ud130 \uac8c\uc774\ubc0d", 0), 0u);
    Answer(*question, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !AnyMessageBox(program.Id()); }, 10s));
}

TEST_F(ProgramScenario, UpdateAgeRuleStartsACheck) {
    // A minute's margin either way: the stored text keeps whole seconds and the program reads it
    // a few seconds after it is written.
    struct Case {
        long long offsetSeconds;
        bool checks;
    };
    const long long day = 86400;
    const Case cases[] = {
        {-(45 * day - 60), false},
        {-(46 * day + 60), true},
        {46 * day + 60, true},
        {45 * day - 60, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offsetSeconds / day);
        ForgetServerRequests();
        SetStored(L"UpdatedDate", Sz(std::to_wstring(LocalStampNow() + c.offsetSeconds)));
        Process program;
        const HWND main = StartAndWait(program);
        ASSERT_NE(main, nullptr);
        const bool asked = WaitUntil([] { return !ServerRequests().empty(); }, c.checks ? 30s : 5s);
        EXPECT_EQ(asked, c.checks);
        // The check process ends by itself; nothing shown for "QENTRA|0".
        EXPECT_TRUE(WaitUntil([] { return ProcessesNamed(L"Velotune.exe").size() == 1; }, 30s));
        EXPECT_FALSE(AnyMessageBox(0));
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitExit(20s), 0u);
    }
}

}  // namespace
}  // namespace vt::e2e
