#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/Driver.h"

namespace vt::e2e {

inline const std::wstring kProgramKey = L"Software\\QENTRA\\Velotune";
inline const std::wstring kPriorStateKey = L"Software\\QENTRA\\Velotune\\PriorState";
inline const wchar_t* const kMainClass = L"TVTMainForm";
inline const wchar_t* const kAboutClass = L"TVTAboutForm";
inline const wchar_t* const kProgressClass = L"TVTSettingsForm";
inline const wchar_t* const kEnglishCaption = L"Velotune - Make your games run faster";

// One row of the tweak catalogue as the registry must hold it after an optimization.
struct CatalogueRow {
    int row;
    HKEY root;
    const wchar_t* path;
    const wchar_t* name;
    RawValue written;
};
const std::vector<CatalogueRow>& Catalogue();
// Whether an optimization for this Windows version code writes the row.
bool Written(const CatalogueRow& row, int versionCode);

// Seconds since 1970-01-01 00:00:00 in local wall-clock time, as the program stamps dates.
long long LocalStampNow();

// The suite's work folder on the host (the stand-in server's answer and log, the updater's log).
std::string WorkFile(const char* name);
// Sets what the stand-in web server answers from now on.
void ServerAnswers(const std::string& body);
// Request lines and User-Agents the server has seen, one per line.
std::string ServerRequests();
void ForgetServerRequests();
std::string UpdaterLog();

}  // namespace vt::e2e
