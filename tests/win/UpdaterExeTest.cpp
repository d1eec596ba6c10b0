#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/WebHost.h"
#include "shell/win/ModuleFolder.h"
#include "update/Updater.h"
#include "win/LocalHttpServer.h"
#include "win/ScratchFolder.h"

// The updater as a process of its own under Wine: its message boxes seen and answered from here,
// against the local HTTP server.

namespace vt {
namespace {

// A system message box of another process, as the user sees it.
struct Box {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<int> buttons;  // IDOK, IDYES, IDNO present
};

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::optional<Box> FindBox(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (owner == s->processId && IsWindowVisible(window) &&
                std::wstring(className) == L"#32770") {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return std::nullopt;
    }
    Box box;
    box.window = search.found;
    box.title = WindowText(box.window);
    // The message is the longest text of a static control that is not the icon.
    for (HWND child = GetWindow(box.window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        const bool icon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        const std::wstring text = WindowText(child);
        if (std::wstring(className) == L"Static" && !icon && text.size() > box.text.size()) {
            box.text = text;
        }
    }
    for (int id : {IDOK, IDYES, IDNO}) {
        if (GetDlgItem(box.window, id) != nullptr) {
            box.buttons.push_back(id);
        }
    }
    return box;
}

std::optional<Box> WaitForBox(DWORD processId, DWORD timeoutMs = 20000) {
    std::optional<Box> box;
    test::WaitFor([&] { return (box = FindBox(processId)).has_value(); }, timeoutMs);
    return box;
}

// A started process, ended and released at the end of the test whatever happens.
class Process {
public:
    explicit Process(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info_)) {
            CloseHandle(info_.hThread);
        }
    }
    ~Process() {
        if (info_.hProcess) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info_.hProcess, 99);
            }
            CloseHandle(info_.hProcess);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code, or nothing when it has not ended in time.
    std::optional<DWORD> Wait(DWORD timeoutMs = 20000) const {
        if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
};

DWORD Code(UpdaterOutcome outcome) {
    return static_cast<DWORD>(outcome);
}

// A value of the program key under HKLM, put back as it was when the test ends.
class SavedLanguage {
public:
    SavedLanguage() {
        wchar_t value[64] = {};
        DWORD size = sizeof value;
        had_ = RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"Language", RRF_RT_REG_SZ, nullptr, value,
                            &size) == ERROR_SUCCESS;
        value_ = value;
    }
    ~SavedLanguage() {
        if (had_) {
            Set(value_.c_str());
        } else {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"Language");
        }
    }
    static void Set(const wchar_t* language) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"Language", REG_SZ, language,
                        static_cast<DWORD>((wcslen(language) + 1) * sizeof(wchar_t)));
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\QENTRA\\Velotune";
    bool had_ = false;
    std::wstring value_;
};

// Web addresses opened through the shell land in a file instead of a browser while this lives:
// the machine-wide handler of "http" is replaced (Wine reads no per-user one) and put back.
class RecordedBrowser {
public:
    explicit RecordedBrowser(const std::wstring& file) : file_(file) {
        wchar_t value[1024] = {};
        DWORD size = sizeof value;
        had_ = RegGetValueW(HKEY_LOCAL_MACHINE, kKey, nullptr, RRF_RT_REG_SZ, nullptr, value,
                            &size) == ERROR_SUCCESS;
        previous_ = value;
        Set(L"\"" + ModuleFolder(nullptr) + L"vt_launch_probe.exe\" \"" + file + L"\" 0 %1");
    }
    ~RecordedBrowser() {
        if (had_) {
            Set(previous_);
        } else {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, nullptr);
        }
    }
    RecordedBrowser(const RecordedBrowser&) = delete;
    RecordedBrowser& operator=(const RecordedBrowser&) = delete;

    // What the shell handed over, once the handler has run; empty when nothing was opened.
    std::wstring Opened(DWORD timeoutMs) const {
        std::wstring text;
        test::WaitFor([&] { return test::FileExists(file_ + L".done"); }, timeoutMs);
        test::ReadWideFile(file_, text);
        return text;
    }

private:
    static void Set(const std::wstring& command) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    static constexpr const wchar_t* kKey = L"Software\\Classes\\http\\shell\\open\\command";
    std::wstring file_;
    bool had_ = false;
    std::wstring previous_;
};

class UpdaterExe : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start(VT_PYTHON3, VT_HTTP_TEST_SERVER)) << "no local server";
    }
    std::wstring Probe(const std::wstring& host) const {
        return L"\"" + ModuleFolder(nullptr) + L"vt_updater_probe.exe\" " + host;
    }

    test::LocalHttpServer server;
    test::ScratchFolder scratch;
    SavedLanguage savedLanguage;
};

const std::wstring kEnglishTitle = L"Update Velotune";

TEST_F(UpdaterExe, TellsWhatTheServerAnswered) {
    struct Case {
        const char* scenario;
        bool closedPort;
        std::wstring text;
        UpdaterOutcome outcome;
    };
    const Case cases[] = {
        {R"({"body": "QENTRA|0"})", false,
         L"There are no updates available for this software.\r\n\r\n"
         L"You have the current version of the software installed.",
         UpdaterOutcome::NoUpdate},
        {R"({"body": "<p>QENTRA|2</p>"})", false,
         L"There are no updates available for this software.\r\n\r\n"
         L"You have the current version of the software installed.",
         UpdaterOutcome::NoUpdate},
        {R"({"status": 404, "body": "QENTRA|1"})", false,
         L"Could not connect to the internet to check for software updates.\r\n\r\n"
         L"Please check if your internet connection is available.",
         UpdaterOutcome::NoConnection},
        {"", true,
         L"Could not connect to the internet to check for software updates.\r\n\r\n"
         L"Please check if your internet connection is available.",
         UpdaterOutcome::NoConnection},
    };
    SavedLanguage::Set(L"english");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        server.Answer(c.scenario);
        const Process updater(Probe(c.closedPort ? server.ClosedHost() : server.Host()));
        ASSERT_TRUE(updater.Started());
        const std::optional<Box> box = WaitForBox(updater.Id());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->title, kEnglishTitle);
        EXPECT_EQ(box->text, c.text);
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        SendMessageW(GetDlgItem(box->window, IDOK), BM_CLICK, 0, 0);
        EXPECT_EQ(updater.Wait(), Code(c.outcome));
    }
    // Each updater asked once, as the program does.
    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(
        requests[0],
        R"j({"line": "GET /downloads/update/?product=velotune&version=4.3.29.2021 HTTP/1.1", )j"
        R"j("agent": "Mozilla/4.0 (compatible; QENTRA)"})j");
}

TEST_F(UpdaterExe, NewVersionOpensTheDownloadPageOnlyOnYes) {
    SavedLanguage::Set(L"english");
    server.Answer(R"({"body": "QENTRA|1"})");
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        const std::wstring record = scratch.Path() + (yes ? L"yes.txt" : L"no.txt");
        const RecordedBrowser browser(record);
        const Process updater(Probe(server.Host()));
        const std::optional<Box> box = WaitForBox(updater.Id());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->title, kEnglishTitle);
        EXPECT_EQ(box->text,
                  L"This software could not be automatically updated.\r\n\r\n"
                  L"Do you want to manually download and install a new version of this software?");
        EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
        SendMessageW(GetDlgItem(box->window, yes ? IDYES : IDNO), BM_CLICK, 0, 0);
        EXPECT_EQ(updater.Wait(),
                  Code(yes ? UpdaterOutcome::DownloadPageOpened : UpdaterOutcome::UpdateDeclined));
        const std::wstring opened = browser.Opened(yes ? 15000 : 1000);
        if (yes) {
            EXPECT_NE(opened.find(L"http://" + server.Host() + L"/downloads/"), std::wstring::npos)
                << std::string(opened.begin(), opened.end());
        } else {
            EXPECT_TRUE(opened.empty());
        }
    }
}

TEST_F(UpdaterExe, SpeaksKoreanWhenTheProgramKeySaysSo) {
    SavedLanguage::Set(L"korean");
    server.Answer(R"({"body": "QENTRA|0"})");
    const Process updater(Probe(server.Host()));
    const std::optional<Box> box = WaitForBox(updater.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, L"Velotune 업데이트");
    EXPECT_EQ(box->text,
              L"이 소프트웨어에 사용할 수 있는 업데이트가 없습니다.\r\n\r\n"
              L"최신 버전의 소프트웨어가 설치되어 있습니다.");
    SendMessageW(GetDlgItem(box->window, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(updater.Wait(), Code(UpdaterOutcome::NoUpdate));
}

TEST_F(UpdaterExe, SecondUpdaterLeavesTheFirstOneAlone) {
    SavedLanguage::Set(L"english");
    server.Answer(R"({"body": "QENTRA|0"})");
    const Process first(Probe(server.Host()));
    const std::optional<Box> box = WaitForBox(first.Id());
    ASSERT_TRUE(box.has_value());

    const Process second(Probe(server.Host()));
    EXPECT_EQ(second.Wait(), Code(UpdaterOutcome::AlreadyRunning));
    EXPECT_EQ(server.Requests().size(), 1u);  // the second one asked nothing
    EXPECT_TRUE(IsWindow(box->window));

    SendMessageW(GetDlgItem(box->window, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(first.Wait(), Code(UpdaterOutcome::NoUpdate));
}

// The release exe itself, with the build's host: an unconfigured build names a host under the
// reserved .example domain, which never answers.
TEST_F(UpdaterExe, ReleaseExeWithoutAReachableHostSaysSo) {
    const std::wstring host = kWebHost;
    if (host.size() < 8 || host.substr(host.size() - 8) != L".example") {
        GTEST_SKIP() << "this build names a real host";
    }
    SavedLanguage::Set(L"english");
    const Process updater(L"\"" + std::wstring(VT_UPDATER_EXE) + L"\"");
    ASSERT_TRUE(updater.Started());
    const std::optional<Box> box = WaitForBox(updater.Id(), 40000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, kEnglishTitle);
    EXPECT_EQ(box->text.substr(0, 31), L"Could not connect to the intern");
    SendMessageW(GetDlgItem(box->window, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(updater.Wait(), Code(UpdaterOutcome::NoConnection));
}

}  // namespace
}  // namespace vt
