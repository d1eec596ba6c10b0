#pragma once

namespace vt {

// Class names of the three windows: how processes of the program find each other.
inline constexpr const wchar_t* kMainWindowClass = L"TVTMainForm";
inline constexpr const wchar_t* kAboutWindowClass = L"TVTAboutForm";
inline constexpr const wchar_t* kProgressWindowClass = L"TVTSettingsForm";

}  // namespace vt
