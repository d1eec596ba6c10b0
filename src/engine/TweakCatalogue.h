#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "registry/CustomRegistry.h"

namespace vt {

// Which Windows version codes a catalogue row is written for.
enum class TweakWhen {
    Always,
    NotServer2000,        // every code but 0
    ServerEditions,       // 0, 2, 4, 7
    WorkstationEditions,  // 1, 3, 5, 6, 8
};

struct Tweak {
    int row;
    RegRoot root;
    const wchar_t* key;
    const wchar_t* value;
    std::uint32_t type;  // RegType::Sz, Dword or Binary
    const wchar_t* text;
    std::int32_t number;
    std::span<const std::uint8_t> binary;
    TweakWhen when;
};

// The twenty rows in the order of writing.
std::span<const Tweak> TweakCatalogue();
bool TweakSelected(const Tweak& tweak, int versionCode);

// Where the state of rows 6 to 20 before the program first wrote them is kept, so that undoing
// puts back what the user had instead of deleting it. A row's record is taken by the first
// optimization that writes the row and kept until an undo has put the row back.
inline constexpr const wchar_t* kPriorStateKey = L"\\Software\\QENTRA\\Velotune\\PriorState\\";
std::wstring PriorStateValueName(const Tweak& tweak);

// Takes the backup first when asked and records the selected rows that have no record yet, then
// writes the rows the version code selects. Never throws.
// The same as PrepareTweaks followed by WriteTweakRows.
void ApplyTweaks(CustomRegistry& registry, int versionCode, bool takeBackup) noexcept;
// Writes the backup back and deletes it, then puts rows 6 to 20 back as they were before the
// program first wrote them; a selected row with no readable record is deleted. Never throws.
// The same as PutBackTweaks followed by DropTweakBackup.
void UndoTweaks(CustomRegistry& registry, int versionCode) noexcept;

// The halves of the two operations, so that a caller can keep its own flag in step with what is
// in the registry between them.
// Takes the backup (when asked) and the missing prior-state records; writes no catalogue row.
void PrepareTweaks(CustomRegistry& registry, int versionCode, bool takeBackup) noexcept;
// Writes the catalogue rows the version code selects.
void WriteTweakRows(CustomRegistry& registry, int versionCode) noexcept;
// Puts every value back from the backup and the records; deletes neither.
void PutBackTweaks(CustomRegistry& registry, int versionCode) noexcept;
// Deletes the five backup values and the prior-state records.
void DropTweakBackup(CustomRegistry& registry) noexcept;

}  // namespace vt
