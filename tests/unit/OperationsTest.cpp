// The optimize and Restore operations of the main window, run over an in-memory registry and
// fakes that record every event in order.
#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "engine/TweakCatalogue.h"
#include "engine/WindowsVersion.h"
#include "registry/ProgramKey.h"
#include "support/MainFormWorld.h"
#include "ui/OptimizeOperation.h"

namespace vt {
namespace {

using test::MainFormWorld;
using Events = std::vector<std::wstring>;

const std::wstring kCaption = L"Velotune - Make your games run faster";
const std::wstring kRestartQuestion =
    L"box 0x134 " + kCaption +
    L" | The changes to the computer's gaming performance settings have finished.\r\n\r\n"
    L"You will need to restart Windows for the changes to become active.\r\n\r\n"
    L"Click Yes to restart the computer now, or click No to restart later.";
const std::wstring kResetQuestion =
    L"box 0x31 " + kCaption +
    L" | This will restore all changes made to the computer's gaming performance settings to "
    L"their original recommended values.\r\n\r\nClick OK to continue.";
const std::wstring kRightsWarning =
    L"box 0x30 " + kCaption +
    L" | You need administrator rights to change these settings.\r\n\r\n"
    L"Please start Velotune as an administrator and try again.";

// The steps both operations share, as the progress fake logs them.
const Events kCommonSteps = {
    L"step Finding computer information x2", L"step Finding total physical memory installed x3",
    L"step Finding hardware adapters",       L"step Finding display device x2",
    L"step Finding 3D graphics device x4",   L"step Finding processor information x4",
    L"step Finding input devices x2",        L"step Finding hard drives x3",
};

Events Join(std::initializer_list<Events> parts) {
    Events out;
    for (const Events& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// Registry values outside the program key: what the user has.
std::map<std::wstring, RegValue> SystemValues(const MemoryRegistry& store) {
    std::map<std::wstring, RegValue> out;
    for (const auto& [name, value] : store.Values()) {
        if (name.rfind(L"HKLM\\SOFTWARE\\QENTRA\\VELOTUNE\\", 0) != 0) {
            out.emplace(name, value);
        }
    }
    return out;
}

RegValue Sz(const std::wstring& text) {
    RegValue value{RegType::Sz, {}};
    for (wchar_t ch : text + L'\0') {
        value.data.push_back(static_cast<std::uint8_t>(ch & 0xFF));
        value.data.push_back(static_cast<std::uint8_t>((ch >> 8) & 0xFF));
    }
    return value;
}

RegValue Dword(std::uint32_t number) {
    return {RegType::Dword,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

// A user's machine: the five backed-up values hold the user's own settings; of the other rows some
// are missing, some hold other data or other types; unrelated values share their keys.
void SeedUserMachine(MemoryRegistry& store) {
    CustomRegistry reg(store);
    const auto put = [&](int row, const RegValue& value) {
        const Tweak& tweak = TweakCatalogue()[static_cast<std::size_t>(row - 1)];
        reg.WriteRegRaw(tweak.root, tweak.key, tweak.value, value, false);
    };
    put(1, Sz(L"0"));
    put(2, Dword(1));
    put(3, Dword(1));
    put(4, Dword(38));
    put(5, Dword(0));
    put(6, Dword(1));  // another type than the row writes
    put(7, Sz(L"no"));
    put(13, Dword(0));
    put(15, Dword(2));
    put(17, Dword(3));
    put(18, Dword(10));
    put(20, Sz(L"7"));
    reg.WriteRegString(RegRoot::CurrentUser, L"\\Control Panel\\Desktop\\", L"Wallpaper",
                       L"C:\\sunset.bmp", false);
    reg.WriteRegInteger(RegRoot::LocalMachine,
                        L"\\System\\CurrentControlSet\\Control\\Session Manager\\", L"GlobalFlag",
                        0x400, false);
}

class Operations : public ::testing::Test {
protected:
    // A start of the program: the window created over the shared Store(), the log cleared.
    std::unique_ptr<MainFormWorld> Start() {
        auto world = std::make_unique<MainFormWorld>(Store(), tables_);
        world->system.versionCode = versionCode_;
        world->logic.FormCreate();
        world->log.Clear();
        return world;
    }
    static void Optimize(MainFormWorld& world) { world.logic.Raise(L"GoButton", MainEvent::Click); }
    static void Restore(MainFormWorld& world) {
        world.dialogs.answers = {box::kIdOk};
        world.logic.Raise(L"RestoreButton", MainEvent::Click);
    }
    static std::wstring ProgramValueKey(const wchar_t* name) {
        std::wstring key = std::wstring(L"HKLM\\SOFTWARE\\QENTRA\\VELOTUNE\\") + name;
        for (wchar_t& ch : key) {
            ch = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(ch)));
        }
        return key;
    }
    RegValue ProgramValue(const wchar_t* name) { return Store().Values()[ProgramValueKey(name)]; }
    bool HasProgramValue(const wchar_t* name) {
        return Store().Values().count(ProgramValueKey(name)) != 0;
    }

    MemoryRegistry& Store() { return *memory_; }
    void FreshStore() { memory_ = std::make_unique<MemoryRegistry>(); }

    std::int32_t versionCode_ = winver::k10;     // what the running system reports
    const LanguageResources* tables_ = nullptr;  // the embedded ones

private:
    std::unique_ptr<MemoryRegistry> memory_ = std::make_unique<MemoryRegistry>();
};

TEST_F(Operations, OptimizeFollowsItsEventTable) {
    auto world = Start();
    world->view.processorItem = 1;
    world->view.speed = 1;
    world->dialogs.answers = {box::kIdYes};

    Optimize(*world);

    const Events expected = Join({
        {L"read Restore", L"change ProcessorType", L"change SpeedSetting", L"click",
         L"window disabled", L"progress shown", L"steps of 31",
         L"heading Optimizing the computer's gaming performance settings"},
        kCommonSteps,
        {L"step Backing up gaming settings x4", L"step Writing new gaming settings x6",
         // The flag goes in only once the backup and the records are complete, before any row.
         L"change backup x5", L"change records x14", L"change Restore", L"change system x19",
         L"window enabled", L"progress closed", L"Restore enabled", kRestartQuestion, L"restart"},
    });
    EXPECT_EQ(world->Events(), expected);
    EXPECT_EQ(ProgramValue(L"ProcessorType"), Dword(1));
    EXPECT_EQ(ProgramValue(L"SpeedSetting"), Dword(1));
    EXPECT_EQ(ProgramValue(L"Restore"), Dword(1));
    EXPECT_TRUE(world->view.enabled);
    EXPECT_FALSE(world->progress.visible);
}

TEST_F(Operations, RestoreFollowsItsEventTable) {
    auto first = Start();
    Optimize(*first);
    auto world = Start();
    world->dialogs.answers = {box::kIdOk, box::kIdNo};

    world->logic.Raise(L"RestoreButton", MainEvent::Click);

    const Events expected = Join({
        {kResetQuestion, L"click", L"window disabled", L"progress shown", L"steps of 27",
         L"heading Restoring the computer's gaming performance settings"},
        kCommonSteps,
        {L"step Restoring gaming settings x6",
         // Every value back first; the flag goes before the backup it stands for.
         L"change system x19", L"change Restore", L"change backup x5", L"change records x15",
         L"window enabled", L"progress closed", L"Restore disabled", kRestartQuestion},
    });
    EXPECT_EQ(world->Events(), expected);
    EXPECT_FALSE(HasProgramValue(L"Restore"));
    EXPECT_TRUE(HasProgramValue(L"ProcessorType"));
    EXPECT_TRUE(HasProgramValue(L"SpeedSetting"));
}

TEST_F(Operations, OptimizeTwiceThenRestoreAndOptimizeAgain) {
    SeedUserMachine(Store());
    const auto original = SystemValues(Store());

    auto world = Start();
    Optimize(*world);
    EXPECT_EQ(ProgramValue(L"Win32PrioritySeparation"), Dword(38));
    EXPECT_EQ(ProgramValue(L"MinAnimate"), Sz(L"0"));
    EXPECT_TRUE(world->view.restoreEnabled);

    // The user changes a backed-up value; a second optimization takes no new backup.
    CustomRegistry(Store()).WriteRegInteger(
        RegRoot::LocalMachine, L"\\System\\CurrentControlSet\\Control\\PriorityControl\\",
        L"Win32PrioritySeparation", 26, false);
    world = Start();
    Optimize(*world);
    for (const std::wstring& event : world->Events()) {
        EXPECT_EQ(event.find(L"change backup"), std::wstring::npos) << event;
        EXPECT_EQ(event.find(L"change records"), std::wstring::npos) << event;
    }
    EXPECT_EQ(ProgramValue(L"Win32PrioritySeparation"), Dword(38));

    world = Start();
    EXPECT_TRUE(world->view.restoreEnabled);
    Restore(*world);
    EXPECT_EQ(SystemValues(Store()), original);
    EXPECT_FALSE(HasProgramValue(L"Win32PrioritySeparation"));

    // After Restore the next optimization backs up what Restore put back.
    world = Start();
    EXPECT_FALSE(world->view.restoreEnabled);
    Optimize(*world);
    EXPECT_EQ(ProgramValue(L"Win32PrioritySeparation"), Dword(38));
    Restore(*world);
    EXPECT_EQ(SystemValues(Store()), original);
}

TEST_F(Operations, WindowsComboSelectionDecidesTheRows) {
    struct Case {
        int item;
        bool prefetcher, autoChk, bootOptimize;
    };
    const Case cases[] = {
        {0, true, false, true},   // Windows 10
        {4, true, false, true},   // XP
        {7, true, true, false},   // Server 2003
        {8, false, true, false},  // Server 2000
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        MemoryRegistry fresh;
        MainFormWorld world(fresh);
        world.system.versionCode = winver::k10;  // the running system does not decide
        world.logic.FormCreate();
        world.view.windowsItem = c.item;
        world.logic.Raise(L"GoButton", MainEvent::Click);
        const auto values = fresh.Values();
        const auto has = [&](const wchar_t* name) {
            return values.count(
                       std::wstring(
                           L"HKLM\\SYSTEM\\CURRENTCONTROLSET\\CONTROL\\SESSION MANAGER\\") +
                       name) != 0;
        };
        EXPECT_EQ(has(L"ENABLEPREFETCHER"), c.prefetcher);
        EXPECT_EQ(has(L"AUTOCHKTIMEOUT"), c.autoChk);
        EXPECT_EQ(
            values.count(L"HKLM\\SOFTWARE\\MICROSOFT\\DFRG\\BOOTOPTIMIZEFUNCTION\\ENABLE") != 0,
            c.bootOptimize);
    }
}

TEST_F(Operations, ProcessorAndSpeedChangeOnlyTheirOwnValues) {
    MemoryRegistry other;
    {
        auto world = Start();
        world->view.processorItem = 0;
        world->view.speed = 0;
        Optimize(*world);
    }
    {
        MainFormWorld world(other);
        world.logic.FormCreate();
        world.view.processorItem = 2;
        world.view.speed = 1;
        world.logic.Raise(L"GoButton", MainEvent::Click);
    }
    auto a = Store().Values();
    auto b = other.Values();
    EXPECT_EQ(b[L"HKLM\\SOFTWARE\\QENTRA\\VELOTUNE\\PROCESSORTYPE"], Dword(2));
    EXPECT_EQ(b[L"HKLM\\SOFTWARE\\QENTRA\\VELOTUNE\\SPEEDSETTING"], Dword(1));
    for (auto* values : {&a, &b}) {
        values->erase(L"HKLM\\SOFTWARE\\QENTRA\\VELOTUNE\\PROCESSORTYPE");
        values->erase(L"HKLM\\SOFTWARE\\QENTRA\\VELOTUNE\\SPEEDSETTING");
    }
    EXPECT_EQ(a, b);
}

TEST_F(Operations, CancelAtTheConfirmationChangesNothing) {
    SeedUserMachine(Store());
    Optimize(*Start());
    const auto before = Store().Values();
    auto world = Start();
    world->dialogs.answers = {box::kIdCancel};

    world->logic.Raise(L"RestoreButton", MainEvent::Click);

    EXPECT_EQ(world->Events(), Events{kResetQuestion});
    EXPECT_EQ(Store().Values(), before);
    EXPECT_TRUE(world->view.restoreEnabled);
}

TEST_F(Operations, NoToTheRestartQuestionLeavesTheProgramRunning) {
    auto world = Start();
    Optimize(*world);  // the fake answers No
    const Events events = world->Events();
    EXPECT_EQ(events.back(), kRestartQuestion);
    EXPECT_TRUE(world->view.restoreEnabled);
    EXPECT_TRUE(world->view.enabled);
}

// Without administrator rights every write under HKEY_LOCAL_MACHINE would fail silently and the
// program would still report success: the operations warn and change nothing instead.
TEST_F(Operations, WithoutRightsOnlyTheWarningIsShown) {
    SeedUserMachine(Store());
    {
        auto world = Start();
        Store().SetReadOnly(RegRoot::LocalMachine, true);
        const auto before = Store().Values();
        Optimize(*world);
        EXPECT_EQ(world->Events(), Events{kRightsWarning});
        EXPECT_EQ(Store().Values(), before);
        EXPECT_TRUE(world->view.enabled);
        EXPECT_FALSE(world->view.restoreEnabled);
    }
    Store().SetReadOnly(RegRoot::LocalMachine, false);
    Optimize(*Start());
    Store().SetReadOnly(RegRoot::LocalMachine, true);
    const auto optimized = Store().Values();
    auto world = Start();
    world->dialogs.answers = {box::kIdOk};
    world->logic.Raise(L"RestoreButton", MainEvent::Click);
    EXPECT_EQ(world->Events(), (Events{kResetQuestion, kRightsWarning}));
    EXPECT_EQ(Store().Values(), optimized);
    EXPECT_TRUE(world->view.restoreEnabled);
}

// One key of the catalogue refused while the program key is writable (a policy on that key).
class RefusingOneKey final : public RegistryBackend {
public:
    RefusingOneKey(RegistryBackend& inner, std::wstring refused)
        : inner_(inner), refused_(std::move(refused)) {}
    bool OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                 KeyHandle& key) override {
        if (path == refused_ && access != RegAccess::Read) {
            return false;
        }
        return inner_.OpenKey(root, path, access, key);
    }
    bool CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                   KeyHandle& key) override {
        return path != refused_ && inner_.CreateKey(root, path, access, key);
    }
    bool QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& size) override {
        return inner_.QueryValue(key, name, type, data, size);
    }
    bool SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override {
        return inner_.SetValue(key, name, type, data, size);
    }
    bool DeleteValue(KeyHandle key, const std::wstring& name) override {
        return inner_.DeleteValue(key, name);
    }
    void CloseKey(KeyHandle key) noexcept override { inner_.CloseKey(key); }

private:
    RegistryBackend& inner_;
    std::wstring refused_;
};

TEST_F(Operations, RightsCheckCoversEveryExistingKeyOfTheCatalogue) {
    SeedUserMachine(Store());
    const auto before = Store().Values();
    RefusingOneKey refusing(Store(), L"System\\CurrentControlSet\\Control\\CrashControl\\");
    test::EventLog log;
    test::FakeDialogs dialogs(log);
    test::FakeMainView view(log);
    test::FakeProgress progress(log);
    test::FakeSound sound(log);
    test::FakeRestarter restarter(log);
    CustomRegistry registry(refusing);
    EmbeddedLanguageResources tables;
    Captions captions(registry, tables, &DecodeCp1252);
    view.form.title = kCaption;
    OperationState state;
    RunOptimize({view, progress, dialogs, sound, restarter, refusing, registry, captions}, state);
    EXPECT_EQ(log.Rendered(), Events{kRightsWarning});
    EXPECT_EQ(Store().Values(), before);
}

struct Interruption {
    const char* name;
    bool restore;
};
void PrintTo(const Interruption& interruption, std::ostream* os) {
    *os << interruption.name;
}

class OperationsInterrupted : public Operations,
                              public ::testing::WithParamInterface<Interruption> {};

// Check mode of another process closes the window when an update exists, possibly while an
// operation runs; the user may log off. The registry work is finished first.
TEST_P(OperationsInterrupted, CloseAndSessionEndWaitForTheRegistryWork) {
    const bool restore = GetParam().restore;
    if (restore) {
        Optimize(*Start());
    }
    auto world = Start();
    std::vector<bool> answers;
    world->progress.during[5] = [&] {
        answers.push_back(world->logic.CloseQuery());
        answers.push_back(world->logic.QueryEndSession());
        answers.push_back(world->logic.QueryEndSession());
        world->logic.Raise(L"GoButton", MainEvent::Click);  // a second start is refused
        world->logic.Raise(L"RestoreButton", MainEvent::Click);
    };
    if (restore) {
        Restore(*world);
    } else {
        Optimize(*world);
    }

    EXPECT_EQ(answers, (std::vector<bool>{false, false, false}));
    const Events events = world->Events();
    const Events tail(events.end() - 6, events.end());
    const std::wstring heading = restore ? L"Restoring the computer's gaming performance settings"
                                         : L"Optimizing the computer's gaming performance settings";
    EXPECT_NE(std::find(events.begin(), events.end(), L"block shutdown " + heading), events.end());
    EXPECT_EQ(tail, (Events{restore ? L"change records x15" : L"change system x19",
                            L"unblock shutdown", L"window enabled", L"progress closed",
                            restore ? L"Restore disabled" : L"Restore enabled", L"post close"}));
    EXPECT_EQ(HasProgramValue(L"Restore"), !restore);
    // Once the handler has returned the window closes at once.
    EXPECT_TRUE(world->logic.CloseQuery());
    EXPECT_TRUE(world->logic.QueryEndSession());
}

TEST_P(OperationsInterrupted, SessionMayEndDuringTheRestartQuestion) {
    const bool restore = GetParam().restore;
    if (restore) {
        Optimize(*Start());
    }
    auto world = Start();
    bool mayEnd = false;
    bool mayClose = true;
    world->dialogs.whileShown = [&] {
        if (world->progress.steps > 0) {
            mayEnd = world->logic.QueryEndSession();
            mayClose = world->logic.CloseQuery();
        }
    };
    if (restore) {
        Restore(*world);
    } else {
        Optimize(*world);
    }
    EXPECT_TRUE(mayEnd);
    EXPECT_FALSE(mayClose);  // the box is owned by the window: closed after it
    EXPECT_EQ(world->Events().back(), L"post close");
}

INSTANTIATE_TEST_SUITE_P(Both, OperationsInterrupted,
                         ::testing::Values(Interruption{"Optimize", false},
                                           Interruption{"Restore", true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(Operations, CloseDuringTheConfirmationEndsRestoreUnchanged) {
    Optimize(*Start());
    const auto before = Store().Values();
    auto world = Start();
    world->dialogs.answers = {box::kIdOk};
    world->dialogs.whileShown = [&] { world->logic.CloseQuery(); };
    world->logic.Raise(L"RestoreButton", MainEvent::Click);
    EXPECT_EQ(world->Events(), (Events{kResetQuestion, L"post close"}));
    EXPECT_EQ(Store().Values(), before);
}

TEST_F(Operations, AFailureOnTheWayGivesTheWindowBack) {
    auto world = Start();
    world->progress.during[3] = [] { throw std::runtime_error("broken"); };
    Optimize(*world);
    const Events events = world->Events();
    EXPECT_EQ(Events(events.end() - 2, events.end()),
              (Events{L"window enabled", L"progress closed"}));
    EXPECT_FALSE(HasProgramValue(L"Restore"));
    EXPECT_TRUE(world->logic.CloseQuery());
}

// The process ends after the N-th registry write of an operation, for every N; a new start then
// runs Restore where the window offers it. The user's own values must come back exactly.
class OperationsCut : public Operations, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        versionCode_ = GetParam();
        tables_ = &noTables_;  // the texts play no part here, and parsing them costs time
    }
    void StartAgainAndRestore() {
        auto world = Start();
        world->view.windowsItem = WindowsComboIndexForVersion(GetParam());
        if (world->view.restoreEnabled) {
            Restore(*world);
        }
    }
    // Optimizes (or restores) with the writes cut after `limit`; returns the writes attempted.
    long RunCut(bool restore, long limit) {
        auto world = Start();
        world->view.windowsItem = WindowsComboIndexForVersion(GetParam());
        world->cutting.CutAfter(limit);
        if (restore) {
            Restore(*world);
        } else {
            Optimize(*world);
        }
        return world->cutting.Writes();
    }
    long FullWrites(bool restore) {
        MemoryRegistry scratch;
        SeedUserMachine(scratch);
        MainFormWorld world(scratch, tables_);
        world.logic.FormCreate();
        world.view.windowsItem = WindowsComboIndexForVersion(GetParam());
        world.logic.Raise(L"GoButton", MainEvent::Click);
        if (!restore) {
            return world.cutting.Writes();
        }
        const long before = world.cutting.Writes();
        world.dialogs.answers = {box::kIdOk};
        world.logic.Raise(L"RestoreButton", MainEvent::Click);
        return world.cutting.Writes() - before;
    }

    test::NoTables noTables_;
};

TEST_P(OperationsCut, OptimizeEndedAfterAnyWrite) {
    const long total = FullWrites(false);
    ASSERT_GT(total, 35);
    for (long cut = 0; cut <= total; ++cut) {
        SCOPED_TRACE(cut);
        FreshStore();
        SeedUserMachine(Store());
        const auto original = SystemValues(Store());
        RunCut(false, cut);
        StartAgainAndRestore();
        ASSERT_EQ(SystemValues(Store()), original);
        // And the program goes on working: a later optimization and Restore come back as well.
        Optimize(*Start());
        StartAgainAndRestore();
        ASSERT_EQ(SystemValues(Store()), original);
    }
}

TEST_P(OperationsCut, SecondOptimizeEndedAfterAnyWrite) {
    FreshStore();
    SeedUserMachine(Store());
    Optimize(*Start());
    const long total = FullWrites(false);
    for (long cut = 0; cut <= total; ++cut) {
        SCOPED_TRACE(cut);
        FreshStore();
        SeedUserMachine(Store());
        const auto original = SystemValues(Store());
        Optimize(*Start());
        RunCut(false, cut);
        StartAgainAndRestore();
        ASSERT_EQ(SystemValues(Store()), original);
    }
}

TEST_P(OperationsCut, RestoreEndedAfterAnyWrite) {
    const long total = FullWrites(true);
    ASSERT_GT(total, 30);
    for (long cut = 0; cut <= total; ++cut) {
        SCOPED_TRACE(cut);
        FreshStore();
        SeedUserMachine(Store());
        const auto original = SystemValues(Store());
        auto first = Start();
        first->view.windowsItem = WindowsComboIndexForVersion(GetParam());
        Optimize(*first);
        RunCut(true, cut);
        StartAgainAndRestore();
        ASSERT_EQ(SystemValues(Store()), original);
        Optimize(*Start());
        StartAgainAndRestore();
        ASSERT_EQ(SystemValues(Store()), original);
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, OperationsCut,
                         ::testing::Values(winver::k10, winver::kServer2003),
                         [](const auto& param) {
                             return param.param == winver::k10 ? std::string("Windows10")
                                                               : std::string("Server2003");
                         });

}  // namespace
}  // namespace vt
