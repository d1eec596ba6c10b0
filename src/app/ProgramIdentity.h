#pragma once

namespace vt {

// The installed version, shown by the windows and sent with the update query.
inline constexpr const wchar_t* kProgramVersion = L"4.3.29.2021";

// Class names of the three windows: how processes of the program find each other.
inline constexpr const wchar_t* kMainWindowClass = L"TVTMainForm";
inline constexpr const wchar_t* kAboutWindowClass = L"TVTAboutForm";
inline constexpr const wchar_t* kProgressWindowClass = L"TVTSettingsForm";

}  // namespace vt
