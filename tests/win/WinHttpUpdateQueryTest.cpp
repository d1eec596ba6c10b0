#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "update/win/WinHttpUpdateQuery.h"
#include "win/ScratchFolder.h"

// The update query against a local HTTP server (tests/win/http_test_server.py) that the test
// starts on 127.0.0.1 at a free port, run with the host's Python: Wine starts Unix programs too.

namespace vt {
namespace {

using UnixToDos = WCHAR*(CDECL*)(LPCSTR);
using DosToUnix = char*(CDECL*)(LPCWSTR);

std::wstring DosPath(const char* unixPath) {
    const auto convert = reinterpret_cast<UnixToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (convert == nullptr) {
        return {};
    }
    WCHAR* dos = convert(unixPath);
    std::wstring result = dos ? dos : L"";
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

std::string UnixPath(const std::wstring& dosPath) {
    const auto convert = reinterpret_cast<DosToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr) {
        return {};
    }
    char* path = convert(dosPath.c_str());
    std::string result = path ? path : "";
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

void WriteFileText(const std::wstring& file, const std::string& text) {
    const std::wstring temp = file + L".tmp";
    HANDLE handle = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(handle);
    ASSERT_TRUE(MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
}

std::string ReadFileText(const std::wstring& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text(GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    ReadFile(handle, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(handle);
    text.resize(read);
    return text;
}

class UpdateServer : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring python = DosPath(VT_PYTHON3);
        ASSERT_FALSE(python.empty()) << "not running under Wine";
        std::wstring command = L"\"" + python + L"\" \"" + Widen(VT_HTTP_TEST_SERVER) + L"\" \"" +
                               Widen(UnixPath(scratch.Path())) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process))
            << GetLastError();
        // A Unix program gets no Windows handles; it ends itself when "stop" appears.
        if (process.hThread) {
            CloseHandle(process.hThread);
        }
        if (process.hProcess) {
            CloseHandle(process.hProcess);
        }
        started = true;
        ASSERT_TRUE(
            test::WaitFor([&] { return test::FileExists(scratch.Path() + L"port"); }, 15000));
        unsigned listening = 0, closed = 0, full = 0;
        ASSERT_EQ(std::sscanf(ReadFileText(scratch.Path() + L"port").c_str(), "%u %u %u",
                              &listening, &closed, &full),
                  3);
        host = L"127.0.0.1:" + std::to_wstring(listening);
        closedHost = L"127.0.0.1:" + std::to_wstring(closed);
        fullHost = L"127.0.0.1:" + std::to_wstring(full);
    }
    void TearDown() override {
        if (started) {
            WriteFileText(scratch.Path() + L"stop", "");
            Sleep(300);  // lets the server see it before its folder goes
        }
    }

    void Answer(const std::string& scenarioJson) {
        WriteFileText(scratch.Path() + L"scenario.json", scenarioJson);
    }
    // The request lines and User-Agents the server has seen, one JSON object per line.
    std::vector<std::string> Requests() const {
        std::vector<std::string> lines;
        const std::string log = ReadFileText(scratch.Path() + L"requests.log");
        for (std::size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(log.substr(start, end - start));
        }
        return lines;
    }
    // Runs the query and returns its result and how long it took, in seconds.
    int Query(const std::wstring& target, double& seconds, UpdateQueryLimits limits = {}) {
        WinHttpUpdateQuery query(target, limits);
        LARGE_INTEGER frequency, begin, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&begin);
        const int result = query.QueryUpdate();
        QueryPerformanceCounter(&end);
        seconds = static_cast<double>(end.QuadPart - begin.QuadPart) /
                  static_cast<double>(frequency.QuadPart);
        return result;
    }

    test::ScratchFolder scratch;
    bool started = false;
    std::wstring host;
    std::wstring closedHost;
    std::wstring fullHost;  // never accepts a connection
};

const std::string kExpectedRequest =
    R"j({"line": "GET /downloads/update/?product=velotune&version=4.3.29.2021 HTTP/1.1", )j"
    R"j("agent": "Mozilla/4.0 (compatible; QENTRA)"})j";

TEST_F(UpdateServer, AnswersStatusesAndRedirects) {
    struct Case {
        const char* scenario;
        int expected;
    };
    const Case cases[] = {
        {R"({"body": "<html>\r\n <p>Version: QENTRA|1 </p>\n</html>"})", 1},
        {R"({"body": "qentra|1"})", -1},
        {R"({"body": "QENTRA|2 QENTRA|0"})", 0},
        {R"({"body": "QENTRA|0"})", 0},
        {R"({"body": "QENTRA|2"})", 2},
        {R"({"body": ""})", -1},
        {R"({"status": 404, "body": "QENTRA|1"})", -1},
        {R"({"status": 500, "body": "QENTRA|1"})", -1},
        {R"({"status": 302, "location": "/landing", "body": "QENTRA|1"})", -1},
        {R"({"status": 301, "location": "/landing", "body": ""})", -1},
    };
    std::size_t expectedRequests = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        Answer(c.scenario);
        double seconds = 0;
        EXPECT_EQ(Query(host, seconds), c.expected);
        // Exactly one request each time: redirects are never followed.
        const std::vector<std::string> requests = Requests();
        ASSERT_EQ(requests.size(), ++expectedRequests);
        EXPECT_EQ(requests.back(), kExpectedRequest);
    }
}

TEST_F(UpdateServer, ReadsAtMost64KiB) {
    struct Case {
        const char* what;
        int pad;
        int expected;
    };
    const Case cases[] = {
        {"token ends at 64 KiB", 65536 - 8, 1},
        {"token ends one byte past", 65536 - 7, -1},
        {"1 MiB body, token at the end", 1024 * 1024 - 8, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Answer(R"({"pad": )" + std::to_string(c.pad) + R"(, "body": "QENTRA|1"})");
        double seconds = 0;
        EXPECT_EQ(Query(host, seconds), c.expected);
        EXPECT_LT(seconds, 5.0);
    }
}

TEST_F(UpdateServer, NothingListeningFailsAtOnce) {
    double seconds = 0;
    EXPECT_EQ(Query(closedHost, seconds), -1);
    EXPECT_LT(seconds, 1.0);
    std::printf("nothing listening: -1 after %.3f s\n", seconds);
}

TEST_F(UpdateServer, AServerThatNeverAnswersGivesUpAtTheLimits) {
    Answer(R"({"hang": true})");
    struct Case {
        const char* what;
        UpdateQueryLimits limits;
        double expectedSeconds;
    };
    UpdateQueryLimits responseLimit;
    responseLimit.receiveMs = 2000;
    UpdateQueryLimits wholeLimit;
    wholeLimit.wholeMs = 2000;
    const Case cases[] = {
        {"response limit 2 s", responseLimit, 2.0},
        {"whole query limit 2 s", wholeLimit, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        double seconds = 0;
        EXPECT_EQ(Query(host, seconds, c.limits), -1);
        EXPECT_GE(seconds, c.expectedSeconds - 0.1);
        EXPECT_LT(seconds, c.expectedSeconds + 1.5);
        std::printf("never answering, %s: -1 after %.3f s\n", c.what, seconds);
    }
}

TEST_F(UpdateServer, AConnectionNeverAcceptedGivesUpAtTheConnectLimit) {
    UpdateQueryLimits limits;
    limits.connectMs = 2000;
    double seconds = 0;
    EXPECT_EQ(Query(fullHost, seconds, limits), -1);
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 3.5);
    std::printf("never accepted, connect limit 2 s: -1 after %.3f s\n", seconds);
}

TEST_F(UpdateServer, ATricklingBodyGivesUpAtTheWholeLimit) {
    // One byte every 0.1 s: each read succeeds, so only the whole limit ends it.
    Answer(R"({"pad": 200, "body": "QENTRA|1", "trickle_ms": 100})");
    UpdateQueryLimits limits;
    limits.wholeMs = 3000;
    double seconds = 0;
    EXPECT_EQ(Query(host, seconds, limits), -1);
    EXPECT_GE(seconds, 2.9);
    EXPECT_LT(seconds, 4.5);
    std::printf("trickling body, whole limit 3 s: -1 after %.3f s\n", seconds);
}

}  // namespace
}  // namespace vt
