#include <gtest/gtest.h>

#include <windows.h>

#include <htmlhelp.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/ProgramFiles.h"
#include "shell/WebHost.h"
#include "shell/win/ModuleFolder.h"
#include "shell/win/ShellPlatform.h"
#include "shell/win/WinLauncher.h"
#include "win/ScratchFolder.h"

namespace vt {
namespace {

// What the launcher asks of the platform.
struct ShellCall {
    HWND owner;
    std::wstring verb;
    std::wstring file;
    std::optional<std::wstring> parameters;  // nothing: none passed
    bool directoryGiven;
    int show;
    bool operator==(const ShellCall&) const = default;
};
void PrintTo(const ShellCall& call, std::ostream* os) {
    *os << call.owner << " " << ::testing::PrintToString(call.verb) << " "
        << ::testing::PrintToString(call.file) << " "
        << (call.parameters ? ::testing::PrintToString(*call.parameters) : "(none)") << " dir "
        << call.directoryGiven << " show " << call.show;
}

struct HelpCall {
    HWND caller;
    std::wstring path;
    UINT command;
    DWORD_PTR data;
};

class RecordingPlatform final : public ShellPlatform {
public:
    void Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                 const wchar_t* directory, int showCommand) noexcept override {
        executed.push_back({owner, verb, file,
                            parameters ? std::optional<std::wstring>(parameters) : std::nullopt,
                            directory != nullptr, showCommand});
    }
    void ShowHtmlHelp(HWND caller, const wchar_t* path, UINT command,
                      DWORD_PTR data) noexcept override {
        help.push_back({caller, path, command, data});
    }
    std::vector<ShellCall> executed;
    std::vector<HelpCall> help;
};

const HWND kMainWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5a5a0));

TEST(WinLauncher, ShellLaunchesUseOpenShowAndTheOwnerOfEachOperation) {
    RecordingPlatform platform;
    WinLauncher launcher(platform, L"C:\\Velotune\\");
    launcher.SetApplicationWindow(kMainWindow);
    launcher.OpenDocument(L"C:\\Velotune\\License.rtf", L"");
    launcher.OpenDocument(L"C:\\Velotune\\readme.txt", L"/p");
    launcher.StartProgram(L"C:\\Velotune\\VelotuneUpdate.exe", L"");
    launcher.StartProgram(L"C:\\Velotune\\Velotune.exe", L"/checkupdate");
    launcher.OpenLink(SupportPage());
    const std::vector<ShellCall> expected = {
        {kMainWindow, L"open", L"C:\\Velotune\\License.rtf", std::nullopt, false, SW_SHOW},
        {kMainWindow, L"open", L"C:\\Velotune\\readme.txt", L"/p", false, SW_SHOW},
        {nullptr, L"open", L"C:\\Velotune\\VelotuneUpdate.exe", std::nullopt, false, SW_SHOW},
        {nullptr, L"open", L"C:\\Velotune\\Velotune.exe", L"/checkupdate", false, SW_SHOW},
        {kMainWindow, L"open", std::wstring(L"http://") + kWebHost + L"/support/", std::nullopt,
         false, SW_SHOW},
    };
    EXPECT_EQ(platform.executed, expected);
    EXPECT_EQ(SW_SHOW, 5);
}

TEST(WinLauncher, HelpGoesToTheViewerWithTheExactPathAndTheDesktopWindow) {
    RecordingPlatform platform;
    const std::wstring folder = ModuleFolder(nullptr);
    WinLauncher launcher(platform, folder);
    launcher.SetApplicationWindow(kMainWindow);
    launcher.ShowHelpTopic(kHelpFile, kHelpTopic);
    ASSERT_EQ(platform.help.size(), 1u);
    EXPECT_EQ(platform.help[0].path, folder + L"Velotune.chm::/html/main.htm>HelpWindow");
    EXPECT_EQ(platform.help[0].caller, GetDesktopWindow());
    EXPECT_EQ(platform.help[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(platform.help[0].data, 0u);
    EXPECT_TRUE(platform.executed.empty());
}

TEST(WinLauncher, ProgramFolderIsTheRunningExecutablesFolder) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring expected = path;
    expected.resize(expected.find_last_of(L'\\') + 1);
    EXPECT_EQ(WinLauncher().ProgramFolder(), expected);
    EXPECT_EQ(expected.substr(expected.size() - 7), L"\\tests\\");
}

TEST(WinLauncher, HelpViewerComesFromTheSystemFolder) {
    ASSERT_NE(LoadHtmlHelp(), nullptr);
    HMODULE viewer = GetModuleHandleW(L"hhctrl.ocx");
    ASSERT_NE(viewer, nullptr);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(ModuleFolder(viewer), std::wstring(system) + L"\\");
    // A help file that does not exist: the viewer reports nothing to the program, which goes on.
    test::ScratchFolder scratch;
    const ULONGLONG start = GetTickCount64();
    WinShellPlatform real;
    WinLauncher(real, scratch.Path()).ShowHelpTopic(kHelpFile, kHelpTopic);
    EXPECT_LT(GetTickCount64() - start, 5000u);
}

class ShellStart : public ::testing::Test {
protected:
    std::wstring Probe() const { return ModuleFolder(nullptr) + L"vt_launch_probe.exe"; }
    test::ScratchFolder scratch;
};

TEST_F(ShellStart, StartProgramPassesTheParametersAndDoesNotWait) {
    const std::wstring output = scratch.Path() + L"probe output.txt";
    const std::wstring parameters = L"\"" + output + L"\" 1500";
    WinLauncher launcher;
    const ULONGLONG start = GetTickCount64();
    launcher.StartProgram(Probe(), parameters);
    const ULONGLONG returned = GetTickCount64() - start;
    EXPECT_FALSE(test::FileExists(output + L".done")) << "returned after the program ended";
    EXPECT_LT(returned, 1000u);
    ASSERT_TRUE(test::WaitFor([&] { return test::FileExists(output + L".done"); }, 15000));
    std::wstring seen;
    ASSERT_TRUE(test::ReadWideFile(output, seen));
    EXPECT_EQ(seen, ModuleFolder(nullptr) + L"\n" + parameters);
    std::printf("StartProgram returned after %llu ms\n", returned);
}

TEST_F(ShellStart, AMissingProgramChangesNothing) {
    WinLauncher launcher;
    const ULONGLONG start = GetTickCount64();
    launcher.StartProgram(scratch.Path() + kUpdaterFile, L"");
    launcher.OpenDocument(scratch.Path() + kLicenseFile, L"");
    EXPECT_LT(GetTickCount64() - start, 5000u);
    // Nothing appeared in the folder, and the program shows no window of its own.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((scratch.Path() + L"*.*").c_str(), &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++entries;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(entries, 2);  // "." and ".."
    DWORD ownWindows = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND, LPARAM count) -> BOOL {
            ++*reinterpret_cast<DWORD*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ownWindows));
    EXPECT_EQ(ownWindows, 0u);
}

TEST_F(ShellStart, ProgramFolderOfANonAsciiPath) {
    const std::wstring folder = scratch.Path() + L"\uC5C5\uB370\uC774\uD2B8 caf\u00E9\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyFileW(Probe().c_str(), (folder + L"Renamed.exe").c_str(), FALSE));
    const std::wstring output = scratch.Path() + L"folder.txt";
    WinLauncher().StartProgram(folder + L"Renamed.exe", L"\"" + output + L"\" 0");
    ASSERT_TRUE(test::WaitFor([&] { return test::FileExists(output + L".done"); }, 15000));
    std::wstring seen;
    ASSERT_TRUE(test::ReadWideFile(output, seen));
    EXPECT_EQ(seen.substr(0, seen.find(L'\n')), folder);
}

// A module path far longer than MAX_PATH, as GetModuleFileNameW reports it: truncated to the
// buffer (and no terminator) whenever the buffer is too small.
std::wstring gLongModulePath;
DWORD WINAPI LongModuleFileName(HMODULE, LPWSTR buffer, DWORD size) {
    const DWORD length = static_cast<DWORD>(gLongModulePath.size());
    if (length >= size) {
        gLongModulePath.copy(buffer, size);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    gLongModulePath.copy(buffer, length);
    buffer[length] = 0;
    return length;
}

TEST(ModuleFolder, ALongPathIsNeverCut) {
    std::wstring folder = L"\\\\?\\D:\\";
    while (folder.size() < 1100) {
        folder += L"\uAC8C\uC784 Spi\u00EBle " + std::to_wstring(folder.size()) + L"\\";
    }
    for (const std::wstring& expected : {folder, std::wstring(L"C:\\Velotune\\")}) {
        gLongModulePath = expected + L"Velotune.exe";
        EXPECT_EQ(ModuleFolder(nullptr, &LongModuleFileName), expected);
    }
}

}  // namespace
}  // namespace vt
