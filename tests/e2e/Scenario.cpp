#include "e2e/Scenario.h"

#include <cstdlib>

namespace vt::e2e {

namespace {

const wchar_t* const kMemory =
    L"System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const wchar_t* const kSessionManager = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t* const kCrashControl = L"System\\CurrentControlSet\\Control\\CrashControl";
const wchar_t* const kPolicies =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const wchar_t* const kWindowsNt = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

}  // namespace

const std::vector<CatalogueRow>& Catalogue() {
    static const std::vector<CatalogueRow> rows = {
        {1, HKEY_CURRENT_USER, L"Control Panel\\Desktop\\WindowMetrics", L"MinAnimate", Sz(L"1")},
        {2, HKEY_LOCAL_MACHINE, kMemory, L"DisablePagingExecutive", Dword(0)},
        {3, HKEY_LOCAL_MACHINE, kMemory, L"LargeSystemCache", Dword(0)},
        {4, HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\PriorityControl",
         L"Win32PrioritySeparation", Dword(1)},
        {5, HKEY_LOCAL_MACHINE, kCrashControl, L"AutoReboot", Dword(1)},
        {6, HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"SmoothScroll",
         RawValue{REG_BINARY, {0, 0, 0, 0}}},
        {7, HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Main", L"Use StyleSheets",
         Sz(L"Yes")},
        {8, HKEY_CURRENT_USER,
         L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete",
         L"Append Completion", Sz(L"Yes")},
        {9, HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\FileSystem",
         L"ContigFileAllocSize", Dword(1536)},
        {10, HKEY_LOCAL_MACHINE, kPolicies, L"LinkResolveIgnoreLinkInfo", Dword(0)},
        {11, HKEY_LOCAL_MACHINE, kPolicies, L"NoResolveSearch", Dword(1)},
        {12, HKEY_LOCAL_MACHINE, kMemory, L"IoPageLockLimit", Dword(4096)},
        {13, HKEY_LOCAL_MACHINE, kCrashControl, L"SendAlert", Dword(1)},
        {14, HKEY_LOCAL_MACHINE, kWindowsNt, L"NoPopUpsOnBoot", Dword(1)},
        {15, HKEY_LOCAL_MACHINE, kWindowsNt, L"Error Mode", Dword(1)},
        {16, HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\Messenger", L"Start",
         Dword(4)},
        {17, HKEY_LOCAL_MACHINE, kSessionManager, L"EnablePrefetcher", Dword(1)},
        {18, HKEY_LOCAL_MACHINE, kSessionManager, L"AutoChkTimeOut", Dword(0)},
        {19, HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Dfrg\\BootOptimizeFunction", L"Enable",
         Sz(L"Y")},
        {20, HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\P3\\Parameters",
         L"HackFlags", Dword(1)},
    };
    return rows;
}

bool Written(const CatalogueRow& row, int versionCode) {
    const bool server =
        versionCode == 0 || versionCode == 2 || versionCode == 4 || versionCode == 7;
    const bool workstation = versionCode == 1 || versionCode == 3 || versionCode == 5 ||
                             versionCode == 6 || versionCode == 8;
    switch (row.row) {
        case 17:
            return versionCode != 0;
        case 18:
            return server;
        case 19:
        case 20:
            return workstation;
        default:
            return true;
    }
}

long long LocalStampNow() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    SYSTEMTIME epoch{1970, 1, 4, 1, 0, 0, 0, 0};
    FILETIME now{}, start{};
    SystemTimeToFileTime(&local, &now);
    SystemTimeToFileTime(&epoch, &start);
    const auto ticks = [](FILETIME t) {
        return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(now) - ticks(start)) / 10000000;
}

std::string WorkFile(const char* name) {
    const char* work = std::getenv("VT_E2E_WORK");
    return std::string(work ? work : "/tmp") + "/" + name;
}

void ServerAnswers(const std::string& body) {
    WriteHostFile(WorkFile("answer"), body);
}

std::string ServerRequests() {
    return ReadHostFile(WorkFile("requests.log"));
}

void ForgetServerRequests() {
    WriteHostFile(WorkFile("requests.log"), "");
}

std::string UpdaterLog() {
    return ReadHostFile(WorkFile("updater.log"));
}

}  // namespace vt::e2e
