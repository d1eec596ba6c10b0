#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "i18n/Captions.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "ui/win/Application.h"
#include "ui/win/Dpi.h"
#include "ui/win/ProgressBar.h"
#include "ui/win/forms/VarnixSettingsForm.h"

namespace vt {
namespace {

using win::Scale;

// Real message pumping, tiny pass counts, no sleeping; `onPump` runs at every pass.
class FastPacing final : public PacingPlatform {
public:
    const PacingPlan& Plan() const override { return plan_; }
    void Reseed() override {}
    int RandomRange(int from, int) override { return from; }
    void ProcessMessages() override {
        if (onPump) {
            onPump();
        }
        win::Application::Instance().ProcessMessages();
    }
    void Sleep(int) override {}
    std::function<void()> onPump;

private:
    PacingPlan plan_{6, 7, 1, 2, 3, 0};
};

constexpr win::FormDef kOwner{
    .className = L"TkStandInMainForm", .name = L"StandIn", .clientWidth = 764, .clientHeight = 500};

class SettingsForm : public ::testing::Test {
protected:
    void SetUp() override {
        owner.Create();
        owner.Show();
        window.Create(owner.Handle());
        ASSERT_NE(window.Handle(), nullptr);
        dpi = window.Dpi();
    }
    void TearDown() override {
        window.Close();
        owner.Hide();
    }
    RECT InPanel(const wchar_t* name) {
        RECT rect{};
        HWND control = window.FindControl(name)->Handle();
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    int Bar() { return window.Find<win::ProgressBar>(L"MainProgress")->Position(); }
    std::wstring Line() { return window.FindControl(L"CurrentSettingsLabel")->Text(); }
    void RunSteps(int total) {
        window.BeginSteps(total);
        for (int i = 0; i < total; ++i) {
            window.Step(L"Finding computer information");
        }
    }

    MemoryRegistry store;
    CustomRegistry registry{store};
    WinLanguageResources tables;
    Captions captions{registry, tables, DecodeAnsiCodePage};
    FastPacing pacing;
    win::Form owner{kOwner};
    TVTSettingsForm window{captions, pacing};
    UINT dpi = 96;
};

TEST_F(SettingsForm, LaidOutAsTheTable) {
    wchar_t className[64] = {};
    ::GetClassNameW(window.Handle(), className, 64);
    EXPECT_STREQ(className, L"TVTSettingsForm");
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, Scale(479, dpi));
    EXPECT_EQ(client.bottom, Scale(146, dpi));
    const LONG style = ::GetWindowLongW(window.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(::GetWindow(window.Handle(), GW_OWNER), owner.Handle());

    const RECT bar = InPanel(L"MainProgress");
    EXPECT_EQ(bar.left, Scale(42, dpi));
    EXPECT_EQ(bar.top, Scale(59, dpi));
    EXPECT_EQ(bar.right - bar.left, Scale(401, dpi));
    EXPECT_EQ(bar.bottom - bar.top, Scale(17, dpi));
    EXPECT_TRUE(::GetWindowLongW(window.FindControl(L"MainProgress")->Handle(), GWL_STYLE) &
                PBS_SMOOTH);
    window.SetHeading(L"Optimizing");
    EXPECT_EQ(InPanel(L"CurrentSettingsHeading").left, Scale(42, dpi));
    EXPECT_EQ(InPanel(L"CurrentSettingsHeading").top, Scale(30, dpi));
    EXPECT_EQ(InPanel(L"CurrentSettingsLabel").left, Scale(42, dpi));
    EXPECT_EQ(InPanel(L"CurrentSettingsLabel").top, Scale(94, dpi));
    EXPECT_EQ(InPanel(L"SettingsPanel").right, client.right);
}

TEST_F(SettingsForm, CaptionFromTheLanguageTable) {
    window.ShowOverMainWindow();
    EXPECT_EQ(window.Title(), L"Updating computer's gaming performance settings");
    window.Close();

    registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                            L"korean", false);
    window.ShowOverMainWindow();
    const std::wstring korean = captions.GetCaption(L"VTSettingsForm", L"VTSettingsForm");
    EXPECT_FALSE(korean.empty());
    EXPECT_NE(korean, L"Updating computer's gaming performance settings");
    EXPECT_EQ(window.Title(), korean);
}

TEST_F(SettingsForm, BarAtZeroAtEveryShowAndHundredAfterTheLastStep) {
    for (int total : {31, 27}) {
        window.ShowOverMainWindow();
        EXPECT_TRUE(window.Visible());
        EXPECT_EQ(Bar(), 0);
        RunSteps(total);
        EXPECT_EQ(Bar(), 100);
        EXPECT_EQ(ProgressCount, total);
        EXPECT_EQ(Line(), L"Finding computer information...");
        window.Close();
        EXPECT_FALSE(window.Visible());
    }
    // The next showing starts at 0 and keeps the last step line until a step writes its own.
    window.ShowOverMainWindow();
    EXPECT_EQ(Bar(), 0);
    EXPECT_EQ(Line(), L"Finding computer information...");
}

TEST_F(SettingsForm, NothingClosesItWhileAnOperationRuns) {
    window.ShowOverMainWindow();
    HWND handle = window.Handle();
    bool asked = false;
    pacing.onPump = [&] {
        if (asked) {
            return;
        }
        asked = true;
        ::SendMessageW(handle, WM_CLOSE, 0, 0);
        ::PostMessageW(handle, WM_CLOSE, 0, 0);
        ::PostMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        ::PostMessageW(handle, WM_SYSKEYDOWN, VK_F4, 1 << 29);  // Alt+F4
    };
    RunSteps(31);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(Bar(), 100);
    window.Close();  // the operation's own close
    EXPECT_FALSE(window.Visible());
}

TEST_F(SettingsForm, WaitCursorOverTheWholeClientArea) {
    window.ShowOverMainWindow();
    window.SetHeading(L"Optimizing");
    window.Step(L"Finding");
    HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    for (const wchar_t* name :
         {L"SettingsPanel", L"CurrentSettingsHeading", L"MainProgress", L"CurrentSettingsLabel"}) {
        HWND control = window.FindControl(name)->Handle();
        ::SetCursor(nullptr);
        ::SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), wait) << static_cast<const void*>(name);
    }
}

TEST_F(SettingsForm, CentredOverTheMainWindow) {
    ::SetWindowPos(owner.Handle(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    window.ShowOverMainWindow();
    RECT o{};
    RECT w{};
    ::GetWindowRect(owner.Handle(), &o);
    ::GetWindowRect(window.Handle(), &w);
    EXPECT_EQ(w.left, o.left + ((o.right - o.left) - (w.right - w.left)) / 2);
    EXPECT_EQ(w.top, o.top + ((o.bottom - o.top) - (w.bottom - w.top)) / 2);
}

}  // namespace
}  // namespace vt
