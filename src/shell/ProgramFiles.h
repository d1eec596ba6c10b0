#pragma once

#include <string>

namespace vt {

// Files the program launches from its own folder, by these fixed names.
inline constexpr const wchar_t* kHelpFile = L"Velotune.chm";
inline constexpr const wchar_t* kHelpTopic = L"/html/main.htm";
inline constexpr const wchar_t* kLicenseFile = L"License.rtf";
inline constexpr const wchar_t* kUpdaterFile = L"VelotuneUpdate.exe";
// The program itself: always this name, whatever the running file is called.
inline constexpr const wchar_t* kProgramFile = L"Velotune.exe";
inline constexpr const wchar_t* kCheckUpdateSwitch = L"/checkupdate";

// What the help viewer is asked to show: the topic of a help file in the program folder, in the
// window definition that the help file itself carries.
inline std::wstring HelpTopicPath(const std::wstring& programFolder, const std::wstring& helpFile,
                                  const std::wstring& topic) {
    return programFolder + helpFile + L"::" + topic + L">HelpWindow";
}

}  // namespace vt
