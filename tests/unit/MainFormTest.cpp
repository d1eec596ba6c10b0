// The main window's own behaviour: filling itself in, its handlers, hover and the help key.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/WindowsVersion.h"
#include "registry/ProgramKey.h"
#include "shell/WebHost.h"
#include "support/MainFormWorld.h"

namespace vt {
namespace {

using test::MainFormWorld;
using Events = std::vector<std::wstring>;
using namespace program_key;

class MainForm : public ::testing::Test {
protected:
    void Store(const wchar_t* name, std::int32_t value) {
        CustomRegistry(store).WriteRegInteger(kRoot, kPath, name, value, false);
    }
    void Store(const wchar_t* name, const std::wstring& value) {
        CustomRegistry(store).WriteRegString(kRoot, kPath, name, value, false);
    }
    void ProcessorName(const std::wstring& name) {
        CustomRegistry(store).WriteRegString(
            RegRoot::LocalMachine, L"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\",
            L"ProcessorNameString", name, false);
    }
    // Whether `expected` occurs in `events` in this order (other events may lie between).
    static bool InOrder(const Events& events, const Events& expected) {
        auto it = events.begin();
        for (const std::wstring& event : expected) {
            it = std::find(it, events.end(), event);
            if (it == events.end()) {
                return false;
            }
            ++it;
        }
        return true;
    }

    MemoryRegistry store;
};

TEST_F(MainForm, FormCreateFillsTheWindowInInOrder) {
    Store(kUpdatedDate, L"1600000000");
    Store(kProcessorType, 1);
    Store(kSpeedSetting, 1);
    Store(kRestore, 1);
    MainFormWorld world(store);
    world.system.versionCode = winver::kServer2008;

    world.logic.FormCreate();

    // Step 1 before 2: the own fonts take the icon-title face and at least its size.
    EXPECT_EQ(world.view.form.font.face, L"Segoe UI");
    EXPECT_EQ(world.view.Control(L"NavStatic1").font->face, L"Segoe UI");
    EXPECT_EQ(world.view.Control(L"NavStatic1").font->size, 9);
    EXPECT_EQ(world.view.Control(L"NavLabel2").font->size, 10);
    EXPECT_EQ(world.view.form.title, L"Velotune - Make your games run faster");
    const std::wstring date = StampToDisplayText(L"1600000000", world.dates);
    ASSERT_FALSE(date.empty());
    EXPECT_EQ(world.view.ControlText(L"SoftwareLastUpdateLabel"), L"Last updated : " + date);
    EXPECT_EQ(world.view.ControlText(L"VersionInstalledLabel"), L"Version installed : 4.3.29.2021");
    EXPECT_EQ(world.view.windowsItem, 6);
    EXPECT_EQ(world.view.processorItem, 1);
    EXPECT_EQ(world.view.speed, 1);
    EXPECT_TRUE(world.view.restoreEnabled);
    // The last update lies months before the clock's now: the update-age rule starts a check.
    EXPECT_EQ(world.Events(),
              (Events{L"read UpdatedDate", L"read ProcessorType", L"read SpeedSetting",
                      L"read Restore", L"Restore enabled", L"read UpdatedDate",
                      L"start C:\\Velotune\\Velotune.exe [/checkupdate]", L"focus"}));
}

TEST_F(MainForm, DateLineFallsBackToTheInstallDate) {
    struct Case {
        const wchar_t* updated;  // nullptr: none stored
        const wchar_t* installed;
        const wchar_t* shownStamp;
    };
    const Case cases[] = {
        {L"1600000000", L"1500000000", L"1600000000"},
        {nullptr, L"1500000000", L"1500000000"},
        {L"not a date", L"1500000000", L"1500000000"},
        {nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.updated ? c.updated : L"(none)");
        MemoryRegistry fresh;
        CustomRegistry reg(fresh);
        if (c.updated) {
            reg.WriteRegString(kRoot, kPath, kUpdatedDate, c.updated, false);
        }
        if (c.installed) {
            reg.WriteRegString(kRoot, kPath, kInstalledDate, c.installed, false);
        }
        MainFormWorld world(fresh);
        world.logic.FormCreate();
        const std::wstring expected =
            c.shownStamp ? StampToDisplayText(c.shownStamp, world.dates) : L"";
        EXPECT_EQ(world.view.ControlText(L"SoftwareLastUpdateLabel"),
                  L"Last updated : " + expected);
    }
}

TEST_F(MainForm, KoreanTableFillsTheWindow) {
    Store(kLanguage, L"korean");
    MainFormWorld world(store);
    world.logic.FormCreate();
    EXPECT_EQ(world.view.form.title, L"Velotune - 당신의 게임을 빠르게!");
    EXPECT_EQ(world.view.ControlText(L"GoButton"), L"지금 최적화(&O)");
    EXPECT_EQ(world.view.ControlText(L"VersionInstalledLabel"), L"설치된 버전 : 4.3.29.2021");
}

TEST_F(MainForm, EditionIsPreselectedFromTheVersionCode) {
    const int expected[] = {8, 4, 7, 3, 6, 2, 1, 5, 0};
    for (int code = -2; code <= 9; ++code) {
        SCOPED_TRACE(code);
        MemoryRegistry fresh;
        MainFormWorld world(fresh);
        world.system.versionCode = code;
        world.logic.FormCreate();
        EXPECT_EQ(world.view.windowsItem, code >= 0 && code <= 8 ? expected[code] : 0);
    }
}

TEST_F(MainForm, ProcessorAndSpeedArePreselected) {
    struct Case {
        std::optional<std::int32_t> storedProcessor;
        const wchar_t* processorName;
        std::optional<std::int32_t> storedSpeed;
        int processorItem;
        int speed;
    };
    const Case cases[] = {
        {std::nullopt, L"AMD Ryzen 7 5800X", std::nullopt, 1, 0},
        {-1, L"VIA Nano", 1, 2, 1},
        {std::nullopt, L"Genuine Intel(R) with AMD graphics", 2, 0, 1},
        {std::nullopt, L"Some other chip", -3, 0, 0},
        {2, L"Intel Core", 7, 2, 1},
        {5, L"Intel Core", 0, -1, 0},  // outside the list: no selection
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.processorName);
        MemoryRegistry fresh;
        CustomRegistry reg(fresh);
        reg.WriteRegString(RegRoot::LocalMachine,
                           L"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\",
                           L"ProcessorNameString", c.processorName, false);
        if (c.storedProcessor) {
            reg.WriteRegInteger(kRoot, kPath, kProcessorType, *c.storedProcessor, false);
        }
        if (c.storedSpeed) {
            reg.WriteRegInteger(kRoot, kPath, kSpeedSetting, *c.storedSpeed, false);
        }
        MainFormWorld world(fresh);
        world.logic.FormCreate();
        EXPECT_EQ(world.view.processorItem, c.processorItem);
        EXPECT_EQ(world.view.speed, c.speed);
        EXPECT_FALSE(world.view.restoreEnabled);
    }
}

TEST_F(MainForm, UpdateAgeRuleEndsTheCreation) {
    struct Case {
        const wchar_t* updated;
        Events tail;
    };
    const std::wstring recent =
        std::to_wstring(DateTimeToStamp(EncodeDateTime(2021, 3, 1, 9, 0, 0)));
    const Case cases[] = {
        {recent.c_str(), {L"read UpdatedDate", L"focus"}},
        // Not a date: the creation ends without the focus request.
        {L"not a date", {L"read UpdatedDate"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.updated);
        MemoryRegistry fresh;
        CustomRegistry(fresh).WriteRegString(kRoot, kPath, kUpdatedDate, c.updated, false);
        MainFormWorld world(fresh);
        world.logic.FormCreate();
        const Events events = world.Events();
        ASSERT_GE(events.size(), c.tail.size());
        EXPECT_EQ(Events(events.end() - static_cast<std::ptrdiff_t>(c.tail.size()), events.end()),
                  c.tail);
        EXPECT_EQ(world.view.windowsItem, 0);  // the steps before it are done
    }
}

TEST_F(MainForm, ClicksRunTheirHandlers) {
    struct Case {
        const wchar_t* control;
        Events events;
    };
    const std::wstring help = L"help Velotune.chm /html/main.htm";
    const std::wstring home = L"open http://" + std::wstring(kWebHost) + L"/";
    const std::wstring support = L"open http://" + std::wstring(kWebHost) + L"/support/";
    // Window at (100, 50), frame 6 wide and 29 high in all; NavButton1 at 672, 16, 78 x 27.
    const std::wstring popup =
        L"popup " + std::to_wstring(100 + 6 + 672 + 78) + L"," + std::to_wstring(50 + 29 + 16 + 27);
    const Case cases[] = {
        {L"NavButton1", {popup}},
        {L"NavStatic1", {popup}},
        {L"NavButton2", {L"click", home}},
        {L"NavStatic2", {L"click", home}},
        {L"LinkLabel6", {L"click", home}},
        {L"NavButton3", {L"click", support}},
        {L"NavStatic3", {L"click", support}},
        {L"LinkLabel5", {L"click", support}},
        {L"TechSupportPopup", {L"click", support}},
        {L"NavButton4", {L"click", L"about shown"}},
        {L"NavStatic4", {L"click", L"about shown"}},
        {L"LinkLabel7", {L"click", L"about shown"}},
        {L"LinkLabel4", {help}},
        {L"HelpFilePopup", {help}},
        {L"UpdatesButton", {L"click", L"start C:\\Velotune\\VelotuneUpdate.exe []"}},
        {L"NavLabel2", {}},
        {L"BenefitsLabel", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        MemoryRegistry fresh;
        MainFormWorld world(fresh);
        world.logic.Raise(c.control, MainEvent::Click);
        EXPECT_EQ(world.Events(), c.events);
    }
}

// The About window and the menu run loops of their own over this window; a close request that
// arrives meanwhile waits for them.
TEST_F(MainForm, CloseWaitsForTheAboutWindowAndTheMenu) {
    MainFormWorld world(store);
    std::vector<bool> answers;
    world.about.whileShown = [&] { answers.push_back(world.logic.CloseQuery()); };
    world.view.whileMenuOpen = [&] { answers.push_back(world.logic.CloseQuery()); };
    world.logic.Raise(L"NavButton4", MainEvent::Click);
    world.logic.Raise(L"NavStatic1", MainEvent::Click);
    EXPECT_EQ(answers, (std::vector<bool>{false, false}));
    const Events events = world.Events();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[2], L"post close");
    EXPECT_EQ(events[4], L"post close");
    EXPECT_TRUE(world.logic.CloseQuery());
}

TEST_F(MainForm, NavigationHoverUnderlinesTheLabelOfTheSameDigit) {
    MainFormWorld world(store);
    world.logic.FormCreate();
    const std::uint32_t boldBefore = world.view.Control(L"NavStatic3").font->style;

    world.logic.Raise(L"NavButton3", MainEvent::MouseEnter);
    EXPECT_TRUE(world.view.Underlined(L"NavStatic3"));
    EXPECT_FALSE(world.view.Underlined(L"NavStatic2"));
    // From the picture straight onto its own label: still underlined.
    world.logic.Raise(L"NavButton3", MainEvent::MouseLeave);
    world.logic.Raise(L"NavStatic3", MainEvent::MouseEnter);
    EXPECT_TRUE(world.view.Underlined(L"NavStatic3"));
    world.logic.Raise(L"NavStatic3", MainEvent::MouseLeave);
    EXPECT_FALSE(world.view.Underlined(L"NavStatic3"));
    EXPECT_EQ(world.view.Control(L"NavStatic3").font->style, boldBefore);

    world.logic.Raise(L"NavButton1", MainEvent::MouseEnter);
    EXPECT_TRUE(world.view.Underlined(L"NavStatic1"));
    EXPECT_FALSE(world.view.Underlined(L"NavButton1"));
}

TEST_F(MainForm, LinkHoverUnderlinesTheLinkItself) {
    MainFormWorld world(store);
    world.logic.FormCreate();
    for (const wchar_t* link : {L"LinkLabel4", L"LinkLabel5", L"LinkLabel6", L"LinkLabel7"}) {
        SCOPED_TRACE(link);
        world.logic.Raise(link, MainEvent::MouseEnter);
        EXPECT_TRUE(world.view.Underlined(link));
        world.logic.Raise(link, MainEvent::MouseLeave);
        EXPECT_FALSE(world.view.Underlined(link));
    }
    world.logic.Raise(L"NavLabel2", MainEvent::MouseEnter);  // no hover of its own
    EXPECT_FALSE(world.view.Underlined(L"NavLabel2"));
}

TEST_F(MainForm, HelpKeyOpensHelpWhileAnyWindowIsVisible) {
    struct Case {
        bool about, progress, main;
        unsigned key;
        bool opens;
    };
    const Case cases[] = {
        {false, false, true, 112, true},   {true, false, true, 112, true},
        {false, true, true, 112, true},    {true, false, false, 112, true},
        {false, false, false, 112, false}, {false, false, true, 113, false},
        {false, false, true, 13, false},
    };
    for (const Case& c : cases) {
        MemoryRegistry fresh;
        MainFormWorld world(fresh);
        world.about.visible = c.about;
        world.progress.visible = c.progress;
        world.view.visible = c.main;
        bool handled = true;
        world.logic.ApplicationEventsShortCut(KeyMessage{c.key}, handled);
        EXPECT_TRUE(handled);  // left as given
        EXPECT_EQ(world.Events(), c.opens ? Events{L"help Velotune.chm /html/main.htm"} : Events{});
    }
}

}  // namespace
}  // namespace vt
