#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/EntrySequence.h"
#include "registry/EnglishDateLocale.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"

namespace vt {
namespace {

namespace key = program_key;
using Events = std::vector<std::wstring>;

class FixedClock final : public Clock {
public:
    DateTime Now() const override { return EncodeDateTime(2021, 3, 29, 14, 30, 0); }
};

class FakeInstances final : public InstanceFinder {
public:
    explicit FakeInstances(Events& log) : events(log) {}
    bool FindRunningInstance(const std::wstring& className, bool activate) noexcept override {
        events.push_back(L"find " + className + (activate ? L" activate" : L" only"));
        return windowExists;
    }
    Events& events;
    bool windowExists = false;
};

class EntrySequenceTest : public ::testing::Test {
protected:
    StartMode Run(const std::vector<std::wstring>& arguments) {
        EntryServices services{registry,
                               clock,
                               locale,
                               instances,
                               [&] {
                                   events.push_back(L"check mode");
                                   installedAtCheck = Stored(key::kInstalledDate);
                                   if (checkModeThrows) {
                                       throw std::runtime_error("query failed");
                                   }
                               },
                               [&] {
                                   events.push_back(L"windows");
                                   if (windowsThrow) {
                                       throw std::runtime_error("no window");
                                   }
                               }};
        return RunEntrySequence(arguments, services);
    }

    void ClearProgramKey() {
        for (const wchar_t* name : {key::kInstalledDate, key::kUpdated, key::kUpdatedDate}) {
            registry.DeleteRegValue(key::kRoot, key::kPath, name, false);
        }
    }
    std::optional<RegValue> Stored(const wchar_t* name) const {
        return registry.ReadRegRaw(key::kRoot, key::kPath, name, false);
    }
    void Store(const wchar_t* name, const RegValue& value) {
        registry.WriteRegRaw(key::kRoot, key::kPath, name, value, false);
    }
    static RegValue Text(const std::wstring& text) {
        Bytes bytes;
        for (wchar_t ch : text + L'\0') {
            bytes.push_back(static_cast<std::uint8_t>(ch & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((ch >> 8) & 0xFF));
        }
        return {RegType::Sz, bytes};
    }
    static RegValue Dword(std::uint32_t value) {
        return {RegType::Dword,
                {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}};
    }

    MemoryRegistry backend;
    CustomRegistry registry{backend};
    FixedClock clock;
    EnglishUsDateLocale locale;
    Events events;
    FakeInstances instances{events};
    std::optional<RegValue> installedAtCheck;
    bool checkModeThrows = false;
    bool windowsThrow = false;
};

const std::wstring kFind = L"find TVTMainForm activate";

TEST_F(EntrySequenceTest, OutcomeBySituation) {
    struct Situation {
        std::vector<std::wstring> arguments;
        bool windowExists;
        StartMode mode;
        Events events;
    };
    const Situation situations[] = {
        {{}, false, StartMode::Windows, {kFind, L"windows"}},
        {{}, true, StartMode::RunningInstance, {kFind}},
        {{L"/checkupdate"}, false, StartMode::CheckMode, {L"check mode", kFind}},
        {{L"/checkupdate"}, true, StartMode::CheckMode, {L"check mode", kFind}},
        {{L"/CHECKUPDATE"}, false, StartMode::CheckMode, {L"check mode", kFind}},
        {{L"/CheckUpdate", L"/other"}, false, StartMode::CheckMode, {L"check mode", kFind}},
        // Only the first argument counts, and only the whole of it.
        {{L"/normal", L"/checkupdate"}, false, StartMode::Windows, {kFind, L"windows"}},
        {{L"/normal", L"/checkupdate"}, true, StartMode::RunningInstance, {kFind}},
        {{L"checkupdate"}, false, StartMode::Windows, {kFind, L"windows"}},
        {{L"/checkupdates"}, false, StartMode::Windows, {kFind, L"windows"}},
        {{L"/checkupdate "}, false, StartMode::Windows, {kFind, L"windows"}},
        {{L""}, false, StartMode::Windows, {kFind, L"windows"}},
    };
    for (const Situation& s : situations) {
        SCOPED_TRACE(s.arguments.empty() ? L"(none)" : s.arguments.front());
        events.clear();
        ClearProgramKey();
        instances.windowExists = s.windowExists;
        EXPECT_EQ(Run(s.arguments), s.mode);
        EXPECT_EQ(events, s.events);
        // Steps 1 and 2 run in every mode.
        EXPECT_EQ(Stored(key::kInstalledDate), Text(L"1617028200"));
    }
}

TEST_F(EntrySequenceTest, DatesAreStampedBeforeCheckMode) {
    Store(key::kUpdated, Dword(1));
    Run({L"/checkupdate"});
    EXPECT_EQ(installedAtCheck, Text(L"1617028200"));
    EXPECT_EQ(Stored(key::kUpdated), Dword(0));
}

TEST_F(EntrySequenceTest, CheckModeNeverMakesWindowsEvenWhenItFails) {
    checkModeThrows = true;
    EXPECT_EQ(Run({L"/checkupdate"}), StartMode::CheckMode);
    EXPECT_EQ(events, (Events{L"check mode", kFind}));
}

TEST_F(EntrySequenceTest, FailingWindowsEndTheSequenceQuietly) {
    windowsThrow = true;
    EXPECT_EQ(Run({}), StartMode::Windows);
    EXPECT_EQ(events, (Events{kFind, L"windows"}));
}

TEST_F(EntrySequenceTest, InstallDateIsWrittenOnlyWhenItReadsEmpty) {
    struct Case {
        const char* what;
        std::optional<RegValue> before;
        RegValue after;
    };
    const Case cases[] = {
        {"missing", std::nullopt, Text(L"1617028200")},
        {"empty", Text(L""), Text(L"1617028200")},
        {"unreadable as text", Dword(7), Text(L"1617028200")},
        {"a stamp", Text(L"1500000000"), Text(L"1500000000")},
        {"anything else", Text(L"not a date"), Text(L"not a date")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearProgramKey();
        if (c.before) {
            Store(key::kInstalledDate, *c.before);
        }
        Run({});
        EXPECT_EQ(Stored(key::kInstalledDate), c.after);
    }
}

TEST_F(EntrySequenceTest, FinishedUpdateIsNotedOnce) {
    const RegValue stampedText = Text(L"3/29/2021 2:30:00 PM");
    const RegValue oldDate = Text(L"1/1/2020");
    struct Case {
        const char* what;
        std::optional<RegValue> updated;
        std::optional<RegValue> updatedAfter;
        RegValue dateAfter;
    };
    const Case cases[] = {
        {"true", Dword(1), Dword(0), stampedText},
        {"any non-zero", Dword(0xFFFFFFFF), Dword(0), stampedText},
        {"false", Dword(0), Dword(0), oldDate},
        {"missing", std::nullopt, std::nullopt, oldDate},
        {"a string counts as false", Text(L"1"), Text(L"1"), oldDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearProgramKey();
        Store(key::kUpdatedDate, oldDate);
        if (c.updated) {
            Store(key::kUpdated, *c.updated);
        }
        Run({});
        EXPECT_EQ(Stored(key::kUpdated), c.updatedAfter);
        EXPECT_EQ(Stored(key::kUpdatedDate), c.dateAfter);
    }
    // The next start finds "Updated" false and leaves the date alone.
    ClearProgramKey();
    Store(key::kUpdated, Dword(1));
    Run({});
    Store(key::kUpdatedDate, oldDate);
    Run({});
    EXPECT_EQ(Stored(key::kUpdatedDate), oldDate);
}

TEST_F(EntrySequenceTest, WithoutWriteRightsNothingIsStoredAndTheStartGoesOn) {
    Store(key::kUpdated, Dword(1));
    backend.SetReadOnly(RegRoot::LocalMachine, true);
    EXPECT_EQ(Run({}), StartMode::Windows);
    EXPECT_EQ(Stored(key::kInstalledDate), std::nullopt);
    EXPECT_EQ(Stored(key::kUpdated), Dword(1));
    EXPECT_EQ(Stored(key::kUpdatedDate), std::nullopt);
    EXPECT_EQ(backend.OpenKeyCount(), 0u);
}

}  // namespace
}  // namespace vt
