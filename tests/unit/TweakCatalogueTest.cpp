#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/TweakCatalogue.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "registry/Utf16.h"
#include "support/RecordingBackend.h"

namespace vt {
namespace {

using Kind = test::RecordingBackend::Kind;

const std::wstring kProgramKey = L"Software\\QENTRA\\Velotune\\";  // as the back-end sees it

RegValue Sz(std::wstring_view text) {
    return {RegType::Sz, ToRegSzBytes(text)};
}
RegValue Dword(std::uint32_t v) {
    return {RegType::Dword,
            {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}};
}

// The catalogue row that a value name belongs to (the names are unique).
int RowOf(const std::wstring& valueName) {
    for (const Tweak& tweak : TweakCatalogue()) {
        if (valueName == tweak.value) {
            return tweak.row;
        }
    }
    return 0;
}

std::vector<int> Rows(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<int> rows;
    for (auto [first, last] : ranges) {
        for (int row = first; row <= last; ++row) {
            rows.push_back(row);
        }
    }
    return rows;
}

struct Machine {
    MemoryRegistry store;
    test::RecordingBackend recorder{store};
    CustomRegistry reg{recorder};

    std::optional<RegValue> Get(const Tweak& tweak) {
        return reg.ReadRegRaw(tweak.root, tweak.key, tweak.value, false);
    }
    std::optional<RegValue> Get(int row) { return Get(TweakCatalogue()[row - 1]); }
    void Put(int row, const RegValue& value) {
        const Tweak& tweak = TweakCatalogue()[row - 1];
        reg.WriteRegRaw(tweak.root, tweak.key, tweak.value, value, false);
    }
    std::optional<RegValue> Backup(const wchar_t* name) {
        return reg.ReadRegRaw(program_key::kRoot, program_key::kPath, name, false);
    }
    std::optional<RegValue> Record(int row) {
        return reg.ReadRegRaw(program_key::kRoot, kPriorStateKey,
                              PriorStateValueName(TweakCatalogue()[row - 1]), false);
    }
    void DropRecords() {
        for (const Tweak& tweak : TweakCatalogue()) {
            reg.DeleteRegValue(program_key::kRoot, kPriorStateKey, PriorStateValueName(tweak),
                               false);
        }
    }
    std::vector<const test::RecordingBackend::Call*> SystemWrites() const {
        std::vector<const test::RecordingBackend::Call*> out;
        for (const auto& call : recorder.calls) {
            if (call.kind == Kind::Set && call.path.rfind(kProgramKey, 0) != 0) {
                out.push_back(&call);
            }
        }
        return out;
    }
};

TEST(TweakCatalogue, RowsWrittenForEachVersionCode) {
    const std::vector<int> server = Rows({{1, 16}, {18, 18}});
    const std::vector<int> serverWithPrefetch = Rows({{1, 18}});
    const std::vector<int> workstation = Rows({{1, 17}, {19, 20}});
    const std::map<int, std::vector<int>> expected = {
        {-1, Rows({{1, 17}})},   {0, server},      {1, workstation},
        {2, serverWithPrefetch}, {3, workstation}, {4, serverWithPrefetch},
        {5, workstation},        {6, workstation}, {7, serverWithPrefetch},
        {8, workstation},
    };
    for (const auto& [code, rows] : expected) {
        SCOPED_TRACE("version code " + std::to_string(code));
        Machine machine;
        ApplyTweaks(machine.reg, code, false);
        std::vector<int> written;
        for (const auto* call : machine.SystemWrites()) {
            written.push_back(RowOf(call->name));
        }
        EXPECT_EQ(written, rows);
        // Nothing else touched but the prior-state records of the written rows 6 to 20.
        std::size_t records = 0;
        for (const auto& call : machine.recorder.Mutations()) {
            records += call.path.rfind(kProgramKey + L"PriorState\\", 0) == 0 ? 1 : 0;
        }
        EXPECT_EQ(records, rows.size() - 5);
        EXPECT_EQ(machine.recorder.Mutations().size(), rows.size() + records);
        EXPECT_EQ(machine.store.OpenKeyCount(), 0u);
    }
}

TEST(TweakCatalogue, WritesTheValuesAsTyped) {
    Machine machine;
    ApplyTweaks(machine.reg, 8, false);
    EXPECT_EQ(machine.Get(1), Sz(L"1"));
    EXPECT_EQ(machine.Get(4), Dword(1));
    EXPECT_EQ(machine.Get(6), (RegValue{RegType::Binary, {0, 0, 0, 0}}));
    EXPECT_EQ(machine.Get(7), Sz(L"Yes"));
    EXPECT_EQ(machine.Get(9), Dword(0x600));
    EXPECT_EQ(machine.Get(12), Dword(0x1000));
    EXPECT_EQ(machine.Get(16), Dword(4));
    EXPECT_EQ(machine.Get(19), Sz(L"Y"));
    EXPECT_EQ(machine.Get(20), Dword(1));
    // Keys that did not exist are created with their values.
    EXPECT_TRUE(machine.store.KeyExists(RegRoot::LocalMachine,
                                        L"System\\CurrentControlSet\\Services\\P3\\Parameters"));
    const auto writes = machine.SystemWrites();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.front()->root, RegRoot::CurrentUser);
    EXPECT_EQ(writes.front()->path, L"Control Panel\\Desktop\\WindowMetrics\\");
}

TEST(TweakCatalogue, BackupIsTakenBeforeAnyRowIsWritten) {
    Machine machine;
    machine.Put(1, Sz(L"0"));
    machine.Put(2, Dword(1));
    machine.Put(4, Dword(38));
    machine.recorder.calls.clear();
    ApplyTweaks(machine.reg, 5, true);

    std::vector<std::wstring> programKeyWrites;
    bool rowWritten = false;
    for (const auto& call : machine.recorder.Mutations()) {
        if (call.path == kProgramKey) {
            EXPECT_FALSE(rowWritten) << "backup written after a row";
            programKeyWrites.push_back(call.name);
        } else if (call.path.rfind(kProgramKey, 0) == 0) {
            EXPECT_FALSE(rowWritten) << "prior state recorded after a row";
        } else {
            rowWritten = true;
        }
    }
    EXPECT_EQ(programKeyWrites, (std::vector<std::wstring>{
                                    L"MinAnimate", L"DisablePagingExecutive", L"LargeSystemCache",
                                    L"Win32PrioritySeparation", L"AutoReboot"}));
    // Present values are copied; missing ones take their defaults.
    EXPECT_EQ(machine.Backup(L"MinAnimate"), Sz(L"0"));
    EXPECT_EQ(machine.Backup(L"DisablePagingExecutive"), Dword(1));
    EXPECT_EQ(machine.Backup(L"LargeSystemCache"), Dword(0));
    EXPECT_EQ(machine.Backup(L"Win32PrioritySeparation"), Dword(38));
    EXPECT_EQ(machine.Backup(L"AutoReboot"), Dword(1));
}

TEST(TweakCatalogue, BackupOfUnreadableValuesTakesDefaults) {
    Machine machine;
    machine.Put(1, Sz(L""));   // empty string
    machine.Put(3, Sz(L"7"));  // wrong type
    machine.Put(4, Dword(99));
    ApplyTweaks(machine.reg, 8, true);
    EXPECT_EQ(machine.Backup(L"MinAnimate"), Sz(L"1"));
    EXPECT_EQ(machine.Backup(L"LargeSystemCache"), Dword(0));
    EXPECT_EQ(machine.Backup(L"Win32PrioritySeparation"), Dword(99));
}

TEST(TweakCatalogue, UndoWithoutBackupWritesTheDefaults) {
    Machine machine;
    UndoTweaks(machine.reg, 8);
    EXPECT_EQ(machine.Get(1), Sz(L"1"));
    EXPECT_EQ(machine.Get(2), Dword(0));
    EXPECT_EQ(machine.Get(3), Dword(0));
    EXPECT_EQ(machine.Get(4), Dword(2));
    EXPECT_EQ(machine.Get(5), Dword(1));
}

// On a machine where none of rows 6 to 20 existed, optimize-then-restore leaves exactly what the
// plain deletion leaves: every row gone, the backup and the prior-state record gone.
TEST(TweakCatalogue, RestoreOnACleanMachineLeavesNoTrace) {
    for (int code = -1; code <= 8; ++code) {
        SCOPED_TRACE("version code " + std::to_string(code));
        Machine machine;
        machine.Put(4, Dword(38));
        ApplyTweaks(machine.reg, code, true);
        UndoTweaks(machine.reg, code);

        std::map<std::wstring, RegValue> expected;
        expected[L"HKCU\\CONTROL PANEL\\DESKTOP\\WINDOWMETRICS\\MINANIMATE"] = Sz(L"1");
        expected
            [L"HKLM\\SYSTEM\\CURRENTCONTROLSET\\CONTROL\\SESSION MANAGER\\MEMORY "
             L"MANAGEMENT\\DISABLEPAGINGEXECUTIVE"] = Dword(0);
        expected
            [L"HKLM\\SYSTEM\\CURRENTCONTROLSET\\CONTROL\\SESSION MANAGER\\MEMORY "
             L"MANAGEMENT\\LARGESYSTEMCACHE"] = Dword(0);
        expected
            [L"HKLM\\SYSTEM\\CURRENTCONTROLSET\\CONTROL\\PRIORITYCONTROL\\WIN32PRIORITYSEPARATIO"
             L"N"] = Dword(38);
        expected[L"HKLM\\SYSTEM\\CURRENTCONTROLSET\\CONTROL\\CRASHCONTROL\\AUTOREBOOT"] = Dword(1);
        EXPECT_EQ(machine.store.Values(), expected);
        EXPECT_EQ(machine.store.OpenKeyCount(), 0u);
    }
}

// The user's own earlier values of rows 6 to 20 come back byte for byte, whatever their type.
TEST(TweakCatalogue, RestorePutsBackWhatTheUserHad) {
    Machine machine;
    const RegValue prefetcher = Dword(3);
    const RegValue messenger = Dword(2);
    const RegValue smooth = {RegType::Dword, {1, 0, 0, 0}};           // another type than written
    const RegValue styleSheets = {RegType::Sz, {'N', 0, 'o', 0}};     // no terminating NUL
    const RegValue errorMode = {RegType::Binary, Bytes(3000, 0xAB)};  // large and odd
    machine.Put(17, prefetcher);
    machine.Put(16, messenger);
    machine.Put(6, smooth);
    machine.Put(7, styleSheets);
    machine.Put(15, errorMode);

    ApplyTweaks(machine.reg, 8, true);
    EXPECT_EQ(machine.Get(17), Dword(1));
    ApplyTweaks(machine.reg, 8, false);  // a second optimization neither refreshes nor extends
    UndoTweaks(machine.reg, 8);

    EXPECT_EQ(machine.Get(17), prefetcher);
    EXPECT_EQ(machine.Get(16), messenger);
    EXPECT_EQ(machine.Get(6), smooth);
    EXPECT_EQ(machine.Get(7), styleSheets);
    EXPECT_EQ(machine.Get(15), errorMode);
    for (int row : {8, 9, 10, 11, 12, 13, 14, 19, 20}) {
        EXPECT_EQ(machine.Get(row), std::nullopt) << "row " << row;
    }
    for (const auto& [name, value] : machine.store.Values()) {
        EXPECT_EQ(name.find(L"PRIORSTATE"), std::wstring::npos) << "record left behind";
    }
}

TEST(TweakCatalogue, RecordedRowsAreRestoredWhateverTheVersionCode) {
    Machine machine;
    machine.Put(18, Dword(10));  // AutoChkTimeOut, server editions only
    ApplyTweaks(machine.reg, 2, true);
    EXPECT_EQ(machine.Get(18), Dword(0));
    UndoTweaks(machine.reg, 8);  // selects rows 19 and 20, not 18
    EXPECT_EQ(machine.Get(18), Dword(10));
    EXPECT_EQ(machine.Get(19), std::nullopt);
}

// Records removed by hand (or never written): the selected rows get plain deletion, a written
// conditional row that this version code does not select stays.
TEST(TweakCatalogue, WithoutARecordUndoDeletesTheSelectedRows) {
    Machine machine;
    machine.Put(17, Dword(3));
    ApplyTweaks(machine.reg, 0, false);  // rows 1-16 and 18
    ApplyTweaks(machine.reg, 8, false);  // rows 1-17, 19, 20
    machine.DropRecords();
    UndoTweaks(machine.reg, 0);
    EXPECT_EQ(machine.Get(17), Dword(1));  // not selected by code 0: stays
    EXPECT_EQ(machine.Get(18), std::nullopt);
    EXPECT_EQ(machine.Get(19), Sz(L"Y"));
    EXPECT_EQ(machine.Get(16), std::nullopt);

    Machine other;
    other.Put(17, Dword(3));
    ApplyTweaks(other.reg, 8, false);
    other.DropRecords();
    UndoTweaks(other.reg, 8);
    EXPECT_EQ(other.Get(17), std::nullopt);  // plain deletion
}

TEST(TweakCatalogue, BackupHoldsTheValuesFromBeforeTheFirstOptimization) {
    Machine machine;
    machine.Put(1, Sz(L"0"));
    machine.Put(4, Dword(38));
    ApplyTweaks(machine.reg, 8, true);
    ApplyTweaks(machine.reg, 8, false);
    UndoTweaks(machine.reg, 8);
    EXPECT_EQ(machine.Get(1), Sz(L"0"));
    EXPECT_EQ(machine.Get(4), Dword(38));
    for (const wchar_t* name : {L"MinAnimate", L"DisablePagingExecutive", L"LargeSystemCache",
                                L"Win32PrioritySeparation", L"AutoReboot"}) {
        EXPECT_EQ(machine.Backup(name), std::nullopt) << "backup value left: " << name;
    }

    // A new backup right after the restore holds what the restore wrote back.
    ApplyTweaks(machine.reg, 8, true);
    EXPECT_EQ(machine.Backup(L"MinAnimate"), Sz(L"0"));
    EXPECT_EQ(machine.Backup(L"Win32PrioritySeparation"), Dword(38));
}

// A user without administrator rights: every HKEY_LOCAL_MACHINE write is refused, both operations
// still run to their end and do what they can under HKEY_CURRENT_USER.
TEST(TweakCatalogue, RefusedLocalMachineRunsToTheEnd) {
    Machine machine;
    machine.Put(7, Sz(L"No"));
    machine.store.SetReadOnly(RegRoot::LocalMachine, true);
    ApplyTweaks(machine.reg, 8, true);
    EXPECT_EQ(machine.Get(1), Sz(L"1"));
    EXPECT_EQ(machine.Get(6), (RegValue{RegType::Binary, {0, 0, 0, 0}}));
    EXPECT_EQ(machine.Get(8), Sz(L"Yes"));
    EXPECT_EQ(machine.Get(2), std::nullopt);
    EXPECT_EQ(machine.Get(20), std::nullopt);
    // The last row was still attempted.
    EXPECT_EQ(machine.recorder.calls.back().path,
              L"System\\CurrentControlSet\\Services\\P3\\Parameters\\");

    UndoTweaks(machine.reg, 8);
    EXPECT_EQ(machine.Get(1), Sz(L"1"));
    EXPECT_EQ(machine.Get(7), std::nullopt);  // no record could be kept: plain deletion
    EXPECT_EQ(machine.store.OpenKeyCount(), 0u);
}

// A record that cannot be read back as one is never replaced (re-recording could only capture
// tweak data); its row gets plain deletion: deleted when the undo's code selects it, else kept.
TEST(TweakCatalogue, UnreadableRecordIsLeftAloneAndGivesPlainDeletion) {
    const std::vector<RegValue> corrupt = {RegValue{RegType::Binary, {}},
                                           RegValue{RegType::Binary, {1, 4}},
                                           RegValue{RegType::Binary, {7}},
                                           RegValue{RegType::Binary, {0, 0}},
                                           Sz(L"x"),
                                           RegValue{RegType::Dword, {1, 0, 0, 0}}};
    for (const RegValue& bad : corrupt) {
        SCOPED_TRACE(::testing::PrintToString(bad.data));
        Machine machine;
        machine.Put(17, Dword(3));
        machine.Put(18, Dword(10));
        for (int row : {17, 18}) {
            machine.reg.WriteRegRaw(program_key::kRoot, kPriorStateKey,
                                    PriorStateValueName(TweakCatalogue()[row - 1]), bad, false);
        }
        ApplyTweaks(machine.reg, 2, true);  // selects 17 and 18
        EXPECT_EQ(machine.Record(17), bad);
        EXPECT_EQ(machine.Record(18), bad);
        ApplyTweaks(machine.reg, 8, false);
        EXPECT_EQ(machine.Record(17), bad);
        UndoTweaks(machine.reg, 8);
        EXPECT_EQ(machine.Get(17), std::nullopt);  // selected by code 8: deleted
        EXPECT_EQ(machine.Get(18), Dword(0));      // not selected: the tweak stays
        EXPECT_EQ(machine.Get(19), std::nullopt);  // its own good record: was absent
        EXPECT_EQ(machine.Record(17), std::nullopt);
    }
}

// Values of every type a user's registry may hold, for rows 6 to 20.
std::map<int, RegValue> OddUserValues() {
    return {
        {6, {RegType::Dword, {1, 0, 0, 0}}},   // another type than written
        {7, {RegType::Sz, {'N', 0, 'o', 0}}},  // string without its NUL
        {8, {RegType::ExpandSz, {'%', 0, 'X', 0, '%', 0, 0, 0}}},
        {9, {11 /* REG_QWORD */, {1, 2, 3, 4, 5, 6, 7, 8}}},
        {10, {7 /* REG_MULTI_SZ */, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}}},
        {11, {RegType::None, {}}},
        {12, {RegType::Dword, {0x34, 0x12}}},  // a 2-byte DWORD
        {13, {RegType::None, {9, 9, 9}}},
        {15, {RegType::Binary, Bytes(3000, 0xAB)}},
        {16, Dword(2)},  // the Messenger service's own start type
        {17, Dword(3)},
        {18, Dword(10)},
        {19, Sz(L"N")},
        {20, Dword(0)},
    };
}

// A retaken backup (a Restore ended during its steps, or the flag deleted by hand) must not lose
// the user's own values of rows 6 to 20: their records are kept from the first optimization.
TEST(TweakCatalogue, RetakenBackupKeepsTheUsersValues) {
    for (const bool oddValues : {false, true}) {
        SCOPED_TRACE(oddValues ? "odd values" : "empty store");
        Machine machine;
        std::map<int, RegValue> user;
        if (oddValues) {
            user = OddUserValues();
            user.erase(18);  // code 8 never writes row 18
            for (const auto& [row, value] : user) {
                machine.Put(row, value);
            }
        }
        ApplyTweaks(machine.reg, 8, true);
        ApplyTweaks(machine.reg, 8, true);
        UndoTweaks(machine.reg, 8);
        for (int row = 6; row <= 20; ++row) {
            const auto it = user.find(row);
            EXPECT_EQ(machine.Get(row),
                      it == user.end() ? std::nullopt : std::optional<RegValue>(it->second))
                << "row " << row;
        }
        // The five backup values keep their own behaviour: the second backup copied the
        // tweaked values, and they are what comes back.
        EXPECT_EQ(machine.Get(1), Sz(L"1"));
        EXPECT_EQ(machine.Get(4), Dword(1));
        for (const auto& [name, value] : machine.store.Values()) {
            EXPECT_EQ(name.find(L"VELOTUNE"), std::wstring::npos) << "left behind";
        }
    }
}

// Server 2000 first, Windows 10 later: rows 17, 19 and 20 are first written by the later run,
// which records them; row 18's record from the first run still puts it back.
TEST(TweakCatalogue, LaterEditionRecordsTheRowsItAdds) {
    Machine machine;
    const std::map<int, RegValue> user = OddUserValues();
    for (const auto& [row, value] : user) {
        machine.Put(row, value);
    }
    ApplyTweaks(machine.reg, 0, true);
    EXPECT_EQ(machine.Record(17), std::nullopt);
    ApplyTweaks(machine.reg, 8, false);
    EXPECT_NE(machine.Record(17), std::nullopt);
    UndoTweaks(machine.reg, 8);
    for (const auto& [row, value] : user) {
        EXPECT_EQ(machine.Get(row), value) << "row " << row;
    }
    EXPECT_EQ(machine.Get(14), std::nullopt);
}

// A record saying "absent" removes its row even when the undo's version code does not select it.
TEST(TweakCatalogue, AbsentRecordDeletesARowTheUndoDoesNotSelect) {
    Machine machine;
    ApplyTweaks(machine.reg, 0, true);  // row 18 written, recorded as absent
    EXPECT_EQ(machine.Record(18), (RegValue{RegType::Binary, {0}}));
    UndoTweaks(machine.reg, 8);
    EXPECT_EQ(machine.Get(18), std::nullopt);
    EXPECT_EQ(machine.Get(17), std::nullopt);
}

// The records live until an undo has put the rows back: the halves of the undo keep them until
// the backup is dropped, and the selections stored by the operations are never touched.
TEST(TweakCatalogue, RecordsLiveUntilTheBackupIsDropped) {
    Machine machine;
    machine.reg.WriteRegInteger(program_key::kRoot, program_key::kPath, program_key::kProcessorType,
                                1, false);
    machine.reg.WriteRegInteger(program_key::kRoot, program_key::kPath, program_key::kSpeedSetting,
                                1, false);
    machine.Put(17, Dword(3));
    ApplyTweaks(machine.reg, 8, true);
    PutBackTweaks(machine.reg, 8);
    EXPECT_EQ(machine.Get(17), Dword(3));
    EXPECT_NE(machine.Record(17), std::nullopt);
    EXPECT_NE(machine.Backup(L"AutoReboot"), std::nullopt);
    // A second put-back (a Restore ended before the backup was dropped) still has its records.
    WriteTweakRows(machine.reg, 8);
    PutBackTweaks(machine.reg, 8);
    EXPECT_EQ(machine.Get(17), Dword(3));
    DropTweakBackup(machine.reg);
    EXPECT_EQ(machine.Record(17), std::nullopt);
    EXPECT_EQ(machine.Backup(L"AutoReboot"), std::nullopt);
    EXPECT_EQ(machine.Backup(program_key::kProcessorType), Dword(1));
    EXPECT_EQ(machine.Backup(program_key::kSpeedSetting), Dword(1));
}

}  // namespace
}  // namespace vt
