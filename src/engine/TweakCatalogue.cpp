#include "engine/TweakCatalogue.h"

#include <array>
#include <optional>

#include "engine/WindowsVersion.h"
#include "registry/ProgramKey.h"

namespace vt {
namespace {

using enum RegRoot;

constexpr const wchar_t* kWindowMetrics = L"\\Control Panel\\Desktop\\WindowMetrics\\";
constexpr const wchar_t* kMemoryManagement =
    L"\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\";
constexpr const wchar_t* kPriorityControl =
    L"\\System\\CurrentControlSet\\Control\\PriorityControl\\";
constexpr const wchar_t* kCrashControl = L"\\System\\CurrentControlSet\\Control\\CrashControl\\";
constexpr const wchar_t* kDesktop = L"\\Control Panel\\Desktop\\";
constexpr const wchar_t* kIeMain = L"\\Software\\Microsoft\\Internet Explorer\\Main\\";
constexpr const wchar_t* kAutoComplete =
    L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete\\";
constexpr const wchar_t* kFileSystem = L"\\System\\CurrentControlSet\\Control\\FileSystem\\";
constexpr const wchar_t* kExplorerPolicies =
    L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
constexpr const wchar_t* kNtWindows =
    L"\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\";
constexpr const wchar_t* kMessenger = L"\\System\\CurrentControlSet\\Services\\Messenger\\";
constexpr const wchar_t* kSessionManager =
    L"\\System\\CurrentControlSet\\Control\\Session Manager\\";
constexpr const wchar_t* kBootOptimize = L"\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\\";
constexpr const wchar_t* kP3Parameters = L"\\System\\CurrentControlSet\\Services\\P3\\Parameters\\";

// Rows 1 to 5 have their previous contents kept in the program key under the same value names.
struct TweakBackup {
    int row;
    const wchar_t* defaultText;  // for the REG_SZ row
    std::int32_t defaultNumber;  // for the REG_DWORD rows
};

constexpr std::array<std::uint8_t, 4> kSmoothScrollOff = {0, 0, 0, 0};

constexpr auto Sz = RegType::Sz;
constexpr auto Dword = RegType::Dword;
constexpr auto Binary = RegType::Binary;
constexpr auto Always = TweakWhen::Always;

// clang-format off
constexpr std::array<Tweak, 20> kCatalogue = {{
    {1,  CurrentUser,  kWindowMetrics,    L"MinAnimate",                Sz,     L"1",   0,    {}, Always},
    {2,  LocalMachine, kMemoryManagement, L"DisablePagingExecutive",    Dword,  nullptr, 0,    {}, Always},
    {3,  LocalMachine, kMemoryManagement, L"LargeSystemCache",          Dword,  nullptr, 0,    {}, Always},
    {4,  LocalMachine, kPriorityControl,  L"Win32PrioritySeparation",   Dword,  nullptr, 1,    {}, Always},
    {5,  LocalMachine, kCrashControl,     L"AutoReboot",                Dword,  nullptr, 1,    {}, Always},
    {6,  CurrentUser,  kDesktop,          L"SmoothScroll",              Binary, nullptr, 0,    kSmoothScrollOff, Always},
    {7,  CurrentUser,  kIeMain,           L"Use StyleSheets",           Sz,     L"Yes", 0,    {}, Always},
    {8,  CurrentUser,  kAutoComplete,     L"Append Completion",         Sz,     L"Yes", 0,    {}, Always},
    {9,  LocalMachine, kFileSystem,       L"ContigFileAllocSize",       Dword,  nullptr, 1536, {}, Always},
    {10, LocalMachine, kExplorerPolicies, L"LinkResolveIgnoreLinkInfo", Dword,  nullptr, 0,    {}, Always},
    {11, LocalMachine, kExplorerPolicies, L"NoResolveSearch",           Dword,  nullptr, 1,    {}, Always},
    {12, LocalMachine, kMemoryManagement, L"IoPageLockLimit",           Dword,  nullptr, 4096, {}, Always},
    {13, LocalMachine, kCrashControl,     L"SendAlert",                 Dword,  nullptr, 1,    {}, Always},
    {14, LocalMachine, kNtWindows,        L"NoPopUpsOnBoot",            Dword,  nullptr, 1,    {}, Always},
    {15, LocalMachine, kNtWindows,        L"Error Mode",                Dword,  nullptr, 1,    {}, Always},
    {16, LocalMachine, kMessenger,        L"Start",                     Dword,  nullptr, 4,    {}, Always},
    {17, LocalMachine, kSessionManager,   L"EnablePrefetcher",          Dword,  nullptr, 1,    {}, TweakWhen::NotServer2000},
    {18, LocalMachine, kSessionManager,   L"AutoChkTimeOut",            Dword,  nullptr, 0,    {}, TweakWhen::ServerEditions},
    {19, LocalMachine, kBootOptimize,     L"Enable",                    Sz,     L"Y",   0,    {}, TweakWhen::WorkstationEditions},
    {20, LocalMachine, kP3Parameters,     L"HackFlags",                 Dword,  nullptr, 1,    {}, TweakWhen::WorkstationEditions},
}};

constexpr std::array<TweakBackup, 5> kBackups = {{
    {1, L"1",     0},
    {2, nullptr,  0},
    {3, nullptr,  0},
    {4, nullptr,  2},
    {5, nullptr,  1},
}};
// clang-format on

constexpr int kFirstUnbackedRow = 6;

const Tweak& Row(int row) {
    return kCatalogue[static_cast<std::size_t>(row - 1)];
}

// A prior-state record: one byte 0 (the value was absent), or 1 followed by the type as four
// little-endian bytes and the data exactly as stored.
Bytes EncodePriorState(const std::optional<RegValue>& prior) {
    if (!prior) {
        return {0};
    }
    Bytes record = {1};
    for (int shift = 0; shift < 32; shift += 8) {
        record.push_back(static_cast<std::uint8_t>(prior->type >> shift));
    }
    record.insert(record.end(), prior->data.begin(), prior->data.end());
    return record;
}

// nullopt: no usable record. A record of an absent value decodes to a value of type None with
// the flag absent = true.
struct PriorState {
    bool absent;
    RegValue value;
};

std::optional<PriorState> DecodePriorState(const std::optional<RegValue>& record) {
    if (!record || record->type != RegType::Binary || record->data.empty()) {
        return std::nullopt;
    }
    const Bytes& bytes = record->data;
    if (bytes[0] == 0 && bytes.size() == 1) {
        return PriorState{true, {}};
    }
    if (bytes[0] != 1 || bytes.size() < 5) {
        return std::nullopt;
    }
    RegValue value;
    value.type =
        static_cast<std::uint32_t>(bytes[1]) | (static_cast<std::uint32_t>(bytes[2]) << 8) |
        (static_cast<std::uint32_t>(bytes[3]) << 16) | (static_cast<std::uint32_t>(bytes[4]) << 24);
    value.data.assign(bytes.begin() + 5, bytes.end());
    return PriorState{false, std::move(value)};
}

void WriteRow(CustomRegistry& registry, const Tweak& tweak) {
    switch (tweak.type) {
        case RegType::Sz:
            registry.WriteRegString(tweak.root, tweak.key, tweak.value, tweak.text, false);
            break;
        case RegType::Binary:
            registry.WriteRegBinary(tweak.root, tweak.key, tweak.value,
                                    Bytes(tweak.binary.begin(), tweak.binary.end()), false);
            break;
        default:
            registry.WriteRegInteger(tweak.root, tweak.key, tweak.value, tweak.number, false);
            break;
    }
}

void TakeBackup(CustomRegistry& registry) {
    for (const TweakBackup& backup : kBackups) {
        const Tweak& tweak = Row(backup.row);
        if (tweak.type == RegType::Sz) {
            const std::wstring current = registry.ReadRegString(tweak.root, tweak.key, tweak.value,
                                                                backup.defaultText, false);
            registry.WriteRegString(program_key::kRoot, program_key::kPath, tweak.value, current,
                                    false);
        } else {
            const std::int32_t current = registry.ReadRegInteger(tweak.root, tweak.key, tweak.value,
                                                                 backup.defaultNumber, false);
            registry.WriteRegInteger(program_key::kRoot, program_key::kPath, tweak.value, current,
                                     false);
        }
    }
}

void RestoreBackup(CustomRegistry& registry) {
    for (const TweakBackup& backup : kBackups) {
        const Tweak& tweak = Row(backup.row);
        if (tweak.type == RegType::Sz) {
            const std::wstring saved = registry.ReadRegString(
                program_key::kRoot, program_key::kPath, tweak.value, backup.defaultText, false);
            registry.WriteRegString(tweak.root, tweak.key, tweak.value, saved, false);
        } else {
            const std::int32_t saved = registry.ReadRegInteger(
                program_key::kRoot, program_key::kPath, tweak.value, backup.defaultNumber, false);
            registry.WriteRegInteger(tweak.root, tweak.key, tweak.value, saved, false);
        }
    }
}

// A row's record describes what the user had before the program first wrote the row, so it is
// taken only while none exists: taking it again could only capture tweak data. A record that
// exists but cannot be read back as one is left alone for the same reason.
void RecordPriorState(CustomRegistry& registry, int versionCode) {
    for (const Tweak& tweak : std::span(kCatalogue).subspan(kFirstUnbackedRow - 1)) {
        if (!TweakSelected(tweak, versionCode)) {
            continue;
        }
        const std::wstring name = PriorStateValueName(tweak);
        if (registry.ReadRegRaw(program_key::kRoot, kPriorStateKey, name, false)) {
            continue;
        }
        const auto prior = registry.ReadRegRaw(tweak.root, tweak.key, tweak.value, false);
        registry.WriteRegBinary(program_key::kRoot, kPriorStateKey, name, EncodePriorState(prior),
                                false);
    }
}

}  // namespace

std::span<const Tweak> TweakCatalogue() {
    return kCatalogue;
}

bool TweakSelected(const Tweak& tweak, int versionCode) {
    switch (tweak.when) {
        case TweakWhen::Always:
            return true;
        case TweakWhen::NotServer2000:
            return versionCode != winver::k2000;
        case TweakWhen::ServerEditions:
            return versionCode == winver::k2000 || versionCode == winver::kServer2003 ||
                   versionCode == winver::kServer2008 || versionCode == winver::kServer2012;
        case TweakWhen::WorkstationEditions:
            return versionCode == winver::kXp || versionCode == winver::kVista ||
                   versionCode == winver::k7 || versionCode == winver::k8 ||
                   versionCode == winver::k10;
    }
    return false;
}

std::wstring PriorStateValueName(const Tweak& tweak) {
    const wchar_t* root =
        tweak.root == RegRoot::LocalMachine ? L"HKEY_LOCAL_MACHINE" : L"HKEY_CURRENT_USER";
    return std::wstring(root) + tweak.key + tweak.value;
}

void PrepareTweaks(CustomRegistry& registry, int versionCode, bool takeBackup) noexcept {
    try {
        if (takeBackup) {
            TakeBackup(registry);
        }
        RecordPriorState(registry, versionCode);
    } catch (...) {
    }
}

void WriteTweakRows(CustomRegistry& registry, int versionCode) noexcept {
    try {
        for (const Tweak& tweak : kCatalogue) {
            if (TweakSelected(tweak, versionCode)) {
                WriteRow(registry, tweak);
            }
        }
    } catch (...) {
    }
}

void ApplyTweaks(CustomRegistry& registry, int versionCode, bool takeBackup) noexcept {
    PrepareTweaks(registry, versionCode, takeBackup);
    WriteTweakRows(registry, versionCode);
}

void PutBackTweaks(CustomRegistry& registry, int versionCode) noexcept {
    try {
        RestoreBackup(registry);
        for (const Tweak& tweak : std::span(kCatalogue).subspan(kFirstUnbackedRow - 1)) {
            const auto prior = DecodePriorState(registry.ReadRegRaw(
                program_key::kRoot, kPriorStateKey, PriorStateValueName(tweak), false));
            if (prior && !prior->absent) {
                registry.WriteRegRaw(tweak.root, tweak.key, tweak.value, prior->value, false);
            } else if (prior || TweakSelected(tweak, versionCode)) {
                registry.DeleteRegValue(tweak.root, tweak.key, tweak.value, false);
            }
        }
    } catch (...) {
    }
}

void DropTweakBackup(CustomRegistry& registry) noexcept {
    try {
        for (const TweakBackup& backup : kBackups) {
            registry.DeleteRegValue(program_key::kRoot, program_key::kPath, Row(backup.row).value,
                                    false);
        }
        for (const Tweak& tweak : std::span(kCatalogue).subspan(kFirstUnbackedRow - 1)) {
            registry.DeleteRegValue(program_key::kRoot, kPriorStateKey, PriorStateValueName(tweak),
                                    false);
        }
    } catch (...) {
    }
}

void UndoTweaks(CustomRegistry& registry, int versionCode) noexcept {
    PutBackTweaks(registry, versionCode);
    DropTweakBackup(registry);
}

}  // namespace vt
