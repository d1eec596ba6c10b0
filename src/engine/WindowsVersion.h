#pragma once

#include <array>
#include <cstdint>

#include "registry/CustomRegistry.h"

namespace vt {

// Windows version codes, in release order; the tweak catalogue's conditional rows depend on them.
namespace winver {
inline constexpr std::int32_t kNone = -1;
inline constexpr std::int32_t k2000 = 0;
inline constexpr std::int32_t kXp = 1;
inline constexpr std::int32_t kServer2003 = 2;
inline constexpr std::int32_t kVista = 3;
inline constexpr std::int32_t kServer2008 = 4;
inline constexpr std::int32_t k7 = 5;
inline constexpr std::int32_t k8 = 6;
inline constexpr std::int32_t kServer2012 = 7;
inline constexpr std::int32_t k10 = 8;
}  // namespace winver

// One item of the main window's WindowsCombo, in list order: workstations newest first, then
// servers newest first.
struct WindowsComboItem {
    const wchar_t* caption;
    int image;  // 0 workstation picture, 1 server picture
    std::int32_t versionCode;
};

inline constexpr std::array<WindowsComboItem, 9> kWindowsComboItems = {{
    {L"  Microsoft \u00AE Windows 10", 0, winver::k10},
    {L"  Microsoft \u00AE Windows 8", 0, winver::k8},
    {L"  Microsoft \u00AE Windows 7", 0, winver::k7},
    {L"  Microsoft \u00AE Windows Vista", 0, winver::kVista},
    {L"  Microsoft \u00AE Windows XP", 0, winver::kXp},
    {L"  Microsoft \u00AE Windows Server 2012", 1, winver::kServer2012},
    {L"  Microsoft \u00AE Windows Server 2008", 1, winver::kServer2008},
    {L"  Microsoft \u00AE Windows Server 2003", 1, winver::kServer2003},
    {L"  Microsoft \u00AE Windows Server 2000", 1, winver::k2000},
}};

// ProcessorCombo items: the index is the stored processor type.
inline constexpr std::array<const wchar_t*, 3> kProcessorComboItems = {
    L"  Intel \u00AE Processor", L"  AMD \u00AE Processor", L"  VIA \u00AE Processor"};

// The version code of a system that reports these numbers (wProductType: 1 workstation,
// 2 domain controller, 3 server; 0 when the system gave none), or -1.
std::int32_t ClassifyWindowsVersion(std::uint32_t major, std::uint32_t minor,
                                    std::uint32_t productType) noexcept;

// The WindowsCombo item preselected for a version code; an unknown code selects Windows 10.
int WindowsComboIndexForVersion(std::int32_t versionCode) noexcept;

// The version code of a WindowsCombo item; -1 for any other index, -1 (no selection) included.
std::int32_t ConvertWindowsVersion(int winVer) noexcept;

// The ProcessorCombo item to preselect: the stored "ProcessorType" as it stands, or, when none is
// stored, the family named in the first processor's name. Writes nothing.
int PreselectProcessor(const CustomRegistry& registry) noexcept;

}  // namespace vt
