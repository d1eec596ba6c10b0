// A small program that tests start through the shell. Arguments: an output file and a number of
// milliseconds. It writes its own folder and its raw argument text to the output file (UTF-16),
// sleeps, then writes "<output file>.done": a test sees what it was given and whether its starter
// waited for it.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "shell/win/ModuleFolder.h"

namespace {

void WriteText(const std::wstring& file, const std::wstring& text) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(handle);
}

// The command line past the program's own name.
std::wstring ArgumentText() {
    const wchar_t* line = GetCommandLineW();
    bool quoted = false;
    for (; *line != 0 && (quoted || (*line != L' ' && *line != L'\t')); ++line) {
        if (*line == L'"') {
            quoted = !quoted;
        }
    }
    while (*line == L' ' || *line == L'\t') {
        ++line;
    }
    return line;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr || count < 3) {
        return 1;
    }
    const std::wstring output = args[1];
    const DWORD sleepMs = static_cast<DWORD>(std::wcstoul(args[2], nullptr, 10));
    LocalFree(args);
    WriteText(output, vt::ModuleFolder(nullptr) + L"\n" + ArgumentText());
    Sleep(sleepMs);
    WriteText(output + L".done", L"done");
    return 0;
}
