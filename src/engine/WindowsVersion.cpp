#include "engine/WindowsVersion.h"

#include <optional>
#include <string>
#include <utility>

#include "registry/ProgramKey.h"

namespace vt {
namespace {

enum class Product { Any, Workstation, Server };

struct VersionRow {
    std::uint32_t major;
    std::optional<std::uint32_t> minor;  // nullopt: any minor version
    Product product;
    std::int32_t code;
};

// Product type 0 (no extended information) matches only the rows that accept any product type.
constexpr VersionRow kVersionRows[] = {
    {5, 0, Product::Any, winver::k2000},           {5, 1, Product::Any, winver::kXp},
    {5, 2, Product::Workstation, winver::kXp},  // 64-bit XP
    {5, 2, Product::Server, winver::kServer2003},  {6, 0, Product::Workstation, winver::kVista},
    {6, 0, Product::Server, winver::kServer2008},  {6, 1, Product::Workstation, winver::k7},
    {6, 1, Product::Server, winver::kServer2008},  // 2008 R2
    {6, 2, Product::Workstation, winver::k8},      {6, 2, Product::Server, winver::kServer2012},
    {6, 3, Product::Workstation, winver::k8},       // 8.1
    {6, 3, Product::Server, winver::kServer2012},   // 2012 R2
    {10, std::nullopt, Product::Any, winver::k10},  // 10, 11 and the servers from 2016 on
};

constexpr std::uint32_t kWorkstationType = 1;  // VER_NT_WORKSTATION; 2 and 3 are servers

bool ProductMatches(Product product, std::uint32_t productType) {
    switch (product) {
        case Product::Any:
            return true;
        case Product::Workstation:
            return productType == kWorkstationType;
        case Product::Server:
            return productType > kWorkstationType;
    }
    return false;
}

constexpr const wchar_t* kProcessorKey = L"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";
constexpr const wchar_t* kProcessorName = L"ProcessorNameString";

// Searched in this order; the first family found wins.
constexpr std::pair<const wchar_t*, int> kProcessorFamilies[] = {
    {L"intel", 0}, {L"amd", 1}, {L"via", 2}};
constexpr int kDefaultProcessor = 0;

}  // namespace

std::int32_t ClassifyWindowsVersion(std::uint32_t major, std::uint32_t minor,
                                    std::uint32_t productType) noexcept {
    for (const VersionRow& row : kVersionRows) {
        if (row.major == major && (!row.minor || *row.minor == minor) &&
            ProductMatches(row.product, productType)) {
            return row.code;
        }
    }
    return winver::kNone;
}

int WindowsComboIndexForVersion(std::int32_t versionCode) noexcept {
    for (std::size_t i = 0; i < kWindowsComboItems.size(); ++i) {
        if (kWindowsComboItems[i].versionCode == versionCode) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::int32_t ConvertWindowsVersion(int winVer) noexcept {
    if (winVer < 0 || static_cast<std::size_t>(winVer) >= kWindowsComboItems.size()) {
        return winver::kNone;
    }
    return kWindowsComboItems[static_cast<std::size_t>(winVer)].versionCode;
}

int PreselectProcessor(const CustomRegistry& registry) noexcept {
    try {
        const std::int32_t stored = registry.ReadRegInteger(
            program_key::kRoot, program_key::kPath, program_key::kProcessorType,
            program_key::kDefaultProcessorType, false);
        if (stored != program_key::kDefaultProcessorType) {
            return stored;
        }
        std::wstring name = registry.ReadRegString(RegRoot::LocalMachine, kProcessorKey,
                                                   kProcessorName, L"", false);
        for (wchar_t& ch : name) {
            if (ch >= L'A' && ch <= L'Z') {
                ch = static_cast<wchar_t>(ch - L'A' + L'a');
            }
        }
        for (const auto& [family, index] : kProcessorFamilies) {
            if (name.find(family) != std::wstring::npos) {
                return index;
            }
        }
        return kDefaultProcessor;
    } catch (...) {
        return kDefaultProcessor;
    }
}

}  // namespace vt
