#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/WindowsVersion.h"
#include "engine/win/WinVersionQuery.h"

namespace vt {
namespace {

// A copy of this executable started with this variable set reports GetWindowsVersion() + 100 as
// its exit code, before any test runs.
constexpr const wchar_t* kProbeVariable = L"VT_PROBE_WINDOWS_VERSION";
constexpr DWORD kProbeOffset = 100;

[[maybe_unused]] const bool kProbeRan = [] {
    if (::GetEnvironmentVariableW(kProbeVariable, nullptr, 0) > 0) {
        ::ExitProcess(
            static_cast<UINT>(static_cast<std::int32_t>(kProbeOffset) + GetWindowsVersion()));
    }
    return false;
}();

// A scripted GetVersionExW: answers only the structure sizes it accepts, and records each call.
struct ScriptedQuery {
    static inline DWORD acceptedSize = 0;
    static inline DWORD major = 0, minor = 0;
    static inline BYTE productType = 0;
    static inline std::vector<DWORD> calls;

    static BOOL WINAPI Query(LPOSVERSIONINFOW info) {
        calls.push_back(info->dwOSVersionInfoSize);
        if (info->dwOSVersionInfoSize != acceptedSize) {
            return FALSE;
        }
        info->dwMajorVersion = major;
        info->dwMinorVersion = minor;
        if (acceptedSize == sizeof(OSVERSIONINFOEXW)) {
            reinterpret_cast<LPOSVERSIONINFOEXW>(info)->wProductType = productType;
        }
        return TRUE;
    }
};

TEST(GetWindowsVersion, FallsBackToThePlainStructureWithoutProductType) {
    struct Case {
        DWORD acceptedSize, major, minor;
        BYTE productType;
        std::int32_t code;
        std::vector<DWORD> calls;
    };
    const Case cases[] = {
        {284, 6, 1, VER_NT_SERVER, 4, {284}},
        {284, 6, 3, VER_NT_WORKSTATION, 6, {284}},
        {276, 5, 1, VER_NT_SERVER, 1, {284, 276}},
        {276, 10, 0, VER_NT_WORKSTATION, 8, {284, 276}},
        {276, 6, 1, VER_NT_WORKSTATION, -1, {284, 276}},  // 6.x needs the product type
        {0, 6, 1, VER_NT_WORKSTATION, -1, {284, 276}},    // both calls fail
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.acceptedSize << ": " << c.major << '.' << c.minor);
        ScriptedQuery::acceptedSize = c.acceptedSize;
        ScriptedQuery::major = c.major;
        ScriptedQuery::minor = c.minor;
        ScriptedQuery::productType = c.productType;
        ScriptedQuery::calls.clear();
        EXPECT_EQ(GetWindowsVersion(&ScriptedQuery::Query), c.code);
        EXPECT_EQ(ScriptedQuery::calls, c.calls);
    }
}

struct KeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// A copy of this executable under its own name, with its own Windows version in Wine's
// per-application settings; so the tests running beside it keep theirs. Both go away afterwards.
class VersionProbe {
public:
    VersionProbe() {
        wchar_t self[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        exe_ = std::filesystem::temp_directory_path() /
               (L"vt_version_probe_" + std::to_wstring(::GetCurrentProcessId()) + L".exe");
        std::filesystem::copy_file(self, exe_, std::filesystem::copy_options::overwrite_existing);
        appKey_ = L"Software\\Wine\\AppDefaults\\" + exe_.filename().wstring();
    }
    ~VersionProbe() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, appKey_.c_str());
        std::error_code ignored;
        std::filesystem::remove(exe_, ignored);
    }
    VersionProbe(const VersionProbe&) = delete;
    VersionProbe& operator=(const VersionProbe&) = delete;

    // The code the copy reports when Wine plays `wineVersion` ("win10", "win81", ...).
    std::int32_t Run(const std::wstring& wineVersion) {
        HKEY raw = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, appKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &raw, nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot create the per-application key";
            return -100;
        }
        UniqueKey key(raw);
        ::RegSetValueExW(key.get(), L"Version", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(wineVersion.c_str()),
                         static_cast<DWORD>((wineVersion.size() + 1) * sizeof(wchar_t)));

        std::wstring commandLine = L"\"" + exe_.wstring() + L"\" --gtest_list_tests";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ::SetEnvironmentVariableW(kProbeVariable, L"1");
        const BOOL started = ::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr,
                                              FALSE, 0, nullptr, nullptr, &startup, &process);
        ::SetEnvironmentVariableW(kProbeVariable, nullptr);
        if (!started) {
            ADD_FAILURE() << "cannot start the probe: " << ::GetLastError();
            return -100;
        }
        UniqueHandle processHandle(process.hProcess);
        UniqueHandle threadHandle(process.hThread);
        if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
            ::TerminateProcess(process.hProcess, 1);
            ADD_FAILURE() << "the probe did not end";
            return -100;
        }
        DWORD exitCode = 0;
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        return static_cast<std::int32_t>(exitCode) - static_cast<std::int32_t>(kProbeOffset);
    }

private:
    std::filesystem::path exe_;
    std::wstring appKey_;
};

// Windows 8.1 and later report their true version only to programs whose manifest names them.
TEST(GetWindowsVersion, ManifestLetsTheTrueVersionThrough) {
    VersionProbe probe;
    EXPECT_EQ(probe.Run(L"win10"), 8);  // 6.2, code 6, without the manifest's entries
    EXPECT_EQ(probe.Run(L"win81"), 6);
    // Wine 8 reports "win7" as a server and "win2008r2" as a workstation, so 6.1 is left out.
    EXPECT_EQ(probe.Run(L"vista"), 3);
    EXPECT_EQ(probe.Run(L"win2008"), 4);
    EXPECT_EQ(probe.Run(L"winxp64"), 1);
}

TEST(Manifest, IsEmbeddedWithTheProcessSettings) {
    HRSRC info = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(info, nullptr);
    HGLOBAL loaded = ::LoadResource(nullptr, info);
    ASSERT_NE(loaded, nullptr);
    const std::string manifest(static_cast<const char*>(::LockResource(loaded)),
                               ::SizeofResource(nullptr, info));
    for (const char* expected : {
             "level=\"asInvoker\"", ">true/pm</dpiAware>", ">PerMonitorV2</dpiAwareness>",
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
         }) {
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
    }
}

}  // namespace
}  // namespace vt
