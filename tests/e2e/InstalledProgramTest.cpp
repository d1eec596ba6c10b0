// The program as the package installs it: what it launches from its own folder. The installer
// test (tests/installer/msi_wine_test.py) installs the package in a prefix of its own and runs
// this case there with VT_E2E_INSTALLED naming the program folder; elsewhere it is skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>

#include "e2e/Driver.h"
#include "e2e/Scenario.h"

namespace vt::e2e {
namespace {

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), ::towlower);
    return text;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) {
        narrow += c < 128 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

// Visible top-level windows of the process, whatever their class.
std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (WindowProcess(window) == s->processId && IsWindowVisible(window)) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowTitled(DWORD processId, const std::function<bool(const std::wstring&)>& fits,
                         Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(processId)) {
                if (fits(TextOf(window))) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

HWND DescendantOfClass(HWND parent, const std::wstring& lowerClassPrefix) {
    for (HWND child : Descendants(parent)) {
        if (Lower(ClassOf(child)).rfind(lowerClassPrefix, 0) == 0) {
            return child;
        }
    }
    return nullptr;
}

// The first process of that name that was not running before, once it has started.
DWORD WaitForNewProcess(const std::wstring& exeName, const std::vector<DWORD>& before,
                        Milliseconds timeout) {
    DWORD found = 0;
    WaitUntil(
        [&] {
            for (DWORD id : ProcessesNamed(exeName)) {
                if (std::find(before.begin(), before.end(), id) == before.end()) {
                    found = id;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

bool WaitForProcessEnd(DWORD id, Milliseconds timeout) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr) {
        return true;
    }
    const bool ended =
        WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override {
        const wchar_t* folder = _wgetenv(L"VT_E2E_INSTALLED");
        if (folder == nullptr || *folder == L'\0') {
            GTEST_SKIP() << "run by the installer test against the installed package";
        }
        folder_ = folder;
        if (folder_.back() != L'\\') {
            folder_ += L'\\';
        }
        EndLaunched();
    }
    // The program and everything it launched ends with the case, by process id.
    void TearDown() override { EndLaunched(); }

    static void EndLaunched() {
        for (const wchar_t* name : {L"Velotune.exe", L"VelotuneUpdate.exe", L"wordpad.exe"}) {
            for (DWORD id : ProcessesNamed(name)) {
                EndProcess(id);
            }
        }
    }
    std::wstring Installed(const wchar_t* file) const { return Lower(folder_ + file); }

    std::wstring folder_;
};

TEST_F(InstalledProgram, OpensItsHelpLicenceAndUpdaterFromItsFolder) {
    Process program = Process::Start(folder_ + L"Velotune.exe", L"");
    ASSERT_TRUE(program);
    EXPECT_EQ(Lower(ProcessImage(program.Id())), Installed(L"Velotune.exe"));
    const HWND main = WaitForVisibleWindow(kMainClass, program.Id(), 30s);
    ASSERT_NE(main, nullptr);
    WaitIdle(program.Id(), 10s);

    // F1: the viewer shows the help file's own window definition, titled by the file, with the
    // file's table of contents (its pages stay blank without a browser engine in Wine).
    PressKey(main, VK_F1);
    const HWND viewer = WaitForWindowTitled(
        program.Id(), [](const std::wstring& title) { return title == L"Velotune Help"; }, 30s);
    ASSERT_NE(viewer, nullptr) << "no help viewer titled by the help file's window definition";
    const HWND contents = DescendantOfClass(viewer, L"systreeview32");
    ASSERT_NE(contents, nullptr) << DescribeTexts(viewer).c_str();
    std::vector<std::wstring> topics;
    WaitUntil([&] { return !(topics = TreeItems(contents)).empty(); }, 10s);
    ASSERT_GE(topics.size(), 2u);
    EXPECT_EQ(topics.front(), L"Welcome to Velotune");
    EXPECT_NE(std::find(topics.begin(), topics.end(), L"Installing and removing Velotune"),
              topics.end());
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(viewer); }, 10s));

    // The About window from the navigation button, then its licence link: the shell opens the
    // installed licence text with the program associated with RTF files.
    const HWND about = TopWindows(kAboutClass, program.Id()).at(0);
    PostedClick(main, POINT{670, 70});  // on NavButton4, beside its caption
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(about) != FALSE; }, 10s));
    WaitIdle(program.Id(), 5s);
    const HWND licenceLink = ChildWithText(about, L"Click to view the end-user license terms");
    ASSERT_NE(licenceLink, nullptr) << DescribeTexts(about).c_str();
    const auto editorsBefore = ProcessesNamed(L"wordpad.exe");
    PostedClick(licenceLink);
    const DWORD editor = WaitForNewProcess(L"wordpad.exe", editorsBefore, 30s);
    ASSERT_NE(editor, 0u) << "the licence link started no RTF viewer";
    const HWND document = WaitForWindowTitled(
        editor, [](const std::wstring& title) { return title.rfind(L"License.rtf - ", 0) == 0; },
        30s);
    ASSERT_NE(document, nullptr) << "the viewer has not opened License.rtf";
    const HWND page = DescendantOfClass(document, L"richedit");
    ASSERT_NE(page, nullptr) << DescribeTexts(document).c_str();
    // The installed file's terms, read as rich text: headings, no control words.
    std::wstring text;
    WaitUntil(
        [&] { return (text = TextOf(page)).find(L"9. Entire agreement") != std::wstring::npos; },
        10s);
    EXPECT_EQ(text.rfind(L"Velotune End-User Licence Agreement", 0), 0u) << Narrow(text);
    for (const wchar_t* heading : {L"Version 4.3.29.2021", L"1. Licence", L"2. Restrictions"}) {
        EXPECT_NE(text.find(heading), std::wstring::npos) << Narrow(heading);
    }
    EXPECT_EQ(text.find(L"\\par"), std::wstring::npos);
    EndProcess(editor);
    Click(ChildWithText(about, L"&Close"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 10s));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 10s));

    // The updates button starts the installed updater; this build's placeholder host never
    // answers, which it says in its own box.
    const auto updatersBefore = ProcessesNamed(L"VelotuneUpdate.exe");
    Click(ChildWithText(main, L" &Check for updates ..."));
    const DWORD updater = WaitForNewProcess(L"VelotuneUpdate.exe", updatersBefore, 30s);
    ASSERT_NE(updater, 0u) << "the updates button started no updater";
    EXPECT_EQ(Lower(ProcessImage(updater)), Installed(L"VelotuneUpdate.exe"));
    const auto box = WaitForMessageBox(updater, 60s);
    ASSERT_TRUE(box) << "the updater showed no message";
    EXPECT_EQ(box->caption, L"Update Velotune");
    EXPECT_EQ(box->text,
              L"Could not connect to the internet to check for software updates.\r\n\r\n"
              L"Please check if your internet connection is available.");
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    Answer(*box, IDOK);
    EXPECT_TRUE(WaitForProcessEnd(updater, 20s));

    EXPECT_TRUE(program.Running());
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(20s), 0u);
}

}  // namespace
}  // namespace vt::e2e
