#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win/ScratchFolder.h"

namespace vt::test {

// The local HTTP server of tests/win/http_test_server.py, run with the host's Python (Wine starts
// Unix programs too) on 127.0.0.1 at a free port, answering as the test says and logging every
// request. It ends when the object goes.
class LocalHttpServer {
public:
    LocalHttpServer() = default;
    ~LocalHttpServer() {
        if (started_) {
            WriteText(scratch_.Path() + L"stop", "");
            Sleep(300);  // lets the server see it before its folder goes
        }
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // False when the server did not come up (or this is not Wine).
    bool Start(const char* python, const char* script) {
        const std::wstring dosPython = DosPath(python);
        if (dosPython.empty()) {
            return false;
        }
        std::wstring command = L"\"" + dosPython + L"\" \"" + Widen(script) + L"\" \"" +
                               Widen(UnixPath(scratch_.Path())) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return false;
        }
        // A Unix program gets no Windows handles; it ends itself when "stop" appears.
        if (process.hThread) {
            CloseHandle(process.hThread);
        }
        if (process.hProcess) {
            CloseHandle(process.hProcess);
        }
        started_ = true;
        if (!WaitFor([&] { return FileExists(scratch_.Path() + L"port"); }, 15000)) {
            return false;
        }
        unsigned listening = 0, closed = 0, full = 0;
        if (std::sscanf(ReadText(scratch_.Path() + L"port").c_str(), "%u %u %u", &listening,
                        &closed, &full) != 3) {
            return false;
        }
        host_ = L"127.0.0.1:" + std::to_wstring(listening);
        closedHost_ = L"127.0.0.1:" + std::to_wstring(closed);
        fullHost_ = L"127.0.0.1:" + std::to_wstring(full);
        return true;
    }

    // How the next requests are answered: {"body": ..., "status": ..., "hang": true, ...}.
    void Answer(const std::string& scenarioJson) {
        WriteText(scratch_.Path() + L"scenario.json", scenarioJson);
    }
    // One JSON object per request seen: {"line": request line, "agent": User-Agent}.
    std::vector<std::string> Requests() const {
        std::vector<std::string> lines;
        const std::string log = ReadText(scratch_.Path() + L"requests.log");
        for (std::size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(log.substr(start, end - start));
        }
        return lines;
    }
    const std::wstring& Host() const { return host_; }
    // Where nothing listens.
    const std::wstring& ClosedHost() const { return closedHost_; }
    // Where a connection is never accepted.
    const std::wstring& FullHost() const { return fullHost_; }

private:
    using UnixToDos = WCHAR*(CDECL*)(LPCSTR);
    using DosToUnix = char*(CDECL*)(LPCWSTR);

    static std::wstring DosPath(const char* unixPath) {
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
    static std::string UnixPath(const std::wstring& dosPath) {
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
    static std::wstring Widen(const std::string& text) {
        return std::wstring(text.begin(), text.end());
    }
    static void WriteText(const std::wstring& file, const std::string& text) {
        const std::wstring temp = file + L".tmp";
        HANDLE handle =
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return;
        }
        DWORD written = 0;
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(handle);
        MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    static std::string ReadText(const std::wstring& file) {
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

    ScratchFolder scratch_;
    bool started_ = false;
    std::wstring host_;
    std::wstring closedHost_;
    std::wstring fullHost_;
};

}  // namespace vt::test
