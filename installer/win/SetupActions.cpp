// Custom actions of the installer package, called by Windows Installer.
#include <windows.h>

// After windows.h, which they need.
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "i18n/InstallLanguage.h"

namespace {

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
    DWORD size = 0;
    wchar_t empty[1] = L"";
    if (::MsiGetPropertyW(install, name, empty, &size) != ERROR_MORE_DATA) {
        return {};
    }
    std::wstring value(size + 1, L'\0');
    ++size;
    if (::MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(size);
    return value;
}

}  // namespace

// Sets VT_LANGUAGE, the "Language" value to write, from the LANGUAGE property, the value already
// installed (EXISTING_LANGUAGE) and the installing user's display language.
extern "C" __declspec(dllexport) UINT __stdcall ChooseLanguage(MSIHANDLE install) {
    try {
        const std::wstring language = vt::ChooseInstallLanguage(
            Property(install, L"LANGUAGE"), Property(install, L"EXISTING_LANGUAGE"),
            vt::IsKoreanLanguageId(::GetUserDefaultUILanguage()));
        ::MsiSetPropertyW(install, L"VT_LANGUAGE", language.c_str());
    } catch (...) {
        // The package's default, "english", stays.
    }
    return ERROR_SUCCESS;
}
