#pragma once

#include <cstdint>

#include "registry/RegistryTypes.h"

// The program's own key and every value in it, with the defaults that its readers use.
namespace vt::program_key {

inline constexpr RegRoot kRoot = RegRoot::LocalMachine;
inline constexpr const wchar_t* kPath = L"\\Software\\QENTRA\\Velotune\\";

inline constexpr const wchar_t* kInstalledDate = L"InstalledDate";  // REG_SZ date stamp
inline constexpr const wchar_t* kUpdated = L"Updated";              // REG_DWORD bool
inline constexpr const wchar_t* kUpdatedDate = L"UpdatedDate";      // REG_SZ date text or stamp
inline constexpr const wchar_t* kLanguage = L"Language";            // REG_SZ table name
inline constexpr const wchar_t* kProcessorType = L"ProcessorType";  // REG_DWORD
inline constexpr const wchar_t* kSpeedSetting = L"SpeedSetting";    // REG_DWORD
inline constexpr const wchar_t* kRestore = L"Restore";              // REG_DWORD bool

inline constexpr const wchar_t* kDefaultInstalledDate = L"";
inline constexpr bool kDefaultUpdated = false;
inline constexpr const wchar_t* kDefaultUpdatedDateText = L"";  // "Last updated" line
inline constexpr const wchar_t* kDefaultLanguage = L"english";
inline constexpr std::int32_t kDefaultProcessorType = -1;  // starts processor detection
inline constexpr std::int32_t kDefaultSpeedSetting = 0;
inline constexpr bool kDefaultRestore = false;

// The five backup values (names and defaults) belong to the tweak catalogue.

}  // namespace vt::program_key
