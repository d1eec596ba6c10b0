// VelotuneUpdate.exe: the separate updater, started without arguments.
#include <windows.h>

#include "shell/WebHost.h"
#include "update/win/WinHttpUpdateQuery.h"
#include "updater/win/UpdaterProcess.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vt::WinHttpUpdateQuery query(vt::kWebHost);
    return vt::UpdaterExitCode(vt::RunUpdaterProcess(query, vt::kWebHost));
}
