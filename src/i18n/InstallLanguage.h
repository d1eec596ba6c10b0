#pragma once

#include <string>
#include <string_view>

namespace vt {

// The "Language" value the installer writes: "korean" or "english", nothing else, so that the
// program always finds a table.
//
// `requested`: the LANGUAGE property given to the installer, in any letter case; it wins when
// given. `existing`: the value already in the program key, kept on an upgrade or reinstall.
// `koreanInterface`: the installing user's display language is Korean.
std::wstring ChooseInstallLanguage(std::wstring_view requested, std::wstring_view existing,
                                   bool koreanInterface);

// Whether a Windows language identifier (LANGID) names Korean, whatever its region.
bool IsKoreanLanguageId(unsigned languageId);

}  // namespace vt
