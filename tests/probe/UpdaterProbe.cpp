// The updater as VelotuneUpdate.exe runs it, pointed at the host given as its only argument (the
// tests' local server), so that its whole run can be watched against known answers.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "update/win/WinHttpUpdateQuery.h"
#include "updater/win/UpdaterProcess.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr || count < 2) {
        return -1;
    }
    const std::wstring host = args[1];
    LocalFree(args);
    vt::WinHttpUpdateQuery query(host);
    return vt::UpdaterExitCode(vt::RunUpdaterProcess(query, host));
}
