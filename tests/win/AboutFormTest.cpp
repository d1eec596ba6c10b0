#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "i18n/Captions.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/MemoryRegistry.h"
#include "support/RecordingLauncher.h"
#include "ui/win/Dpi.h"
#include "ui/win/forms/VarnixAboutForm.h"

namespace vt {
namespace {

using win::Scale;

constexpr win::FormDef kOwner{
    .className = L"TkAboutOwnerForm", .name = L"StandIn", .clientWidth = 764, .clientHeight = 500};

class RecordingSound final : public ClickSound {
public:
    explicit RecordingSound(std::vector<std::wstring>& log) : events(log) {}
    void PlayClickSound() noexcept override { events.push_back(L"click"); }
    std::vector<std::wstring>& events;
};

// Steps run one by one from a timer, inside the window's own modal loop.
class ModalScript {
public:
    static void Run(std::deque<std::function<void()>> steps) {
        steps_ = std::move(steps);
        timer_ = ::SetTimer(nullptr, 0, 100, &Tick);
    }
    static void Stop() {
        ::KillTimer(nullptr, timer_);
        steps_.clear();
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (steps_.empty()) {
            ::KillTimer(nullptr, timer_);
            return;
        }
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
    }
    static inline std::deque<std::function<void()>> steps_;
    static inline UINT_PTR timer_ = 0;
};

void PressKey(HWND focus, UINT key) {
    ::PostMessageW(focus, WM_KEYDOWN, key, 1);
    ::PostMessageW(focus, WM_KEYUP, key, 1 | (3u << 30));
}

class AboutForm : public ::testing::Test {
protected:
    void SetUp() override {
        owner.Create();
        owner.Show();
        window.Create(owner.Handle());
        ASSERT_NE(window.Handle(), nullptr);
        dpi = window.Dpi();
    }
    void TearDown() override {
        ModalScript::Stop();
        window.Close();
        owner.Hide();
    }
    // The control's box in its parent's client coordinates.
    RECT Box(const wchar_t* name) {
        RECT rect{};
        HWND control = window.FindControl(name)->Handle();
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    std::wstring Text(const wchar_t* name) { return window.FindControl(name)->Text(); }

    MemoryRegistry store;
    CustomRegistry registry{store};
    WinLanguageResources tables;
    Captions captions{registry, tables, DecodeAnsiCodePage};
    std::vector<std::wstring> events;
    RecordingSound sound{events};
    testing::RecordingLauncher launcher{events};
    win::Form owner{kOwner};
    TVTAboutForm window{
        captions, sound, launcher, [this](int key, bool& handled) {
            events.push_back(L"shortcut " + std::to_wstring(key) + (handled ? L" handled" : L""));
        }};
    UINT dpi = 96;
};

TEST_F(AboutForm, LaidOutAsTheTable) {
    wchar_t className[64] = {};
    ::GetClassNameW(window.Handle(), className, 64);
    EXPECT_STREQ(className, L"TVTAboutForm");
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, Scale(700, dpi));
    EXPECT_EQ(client.bottom, Scale(441, dpi));
    const LONG style = ::GetWindowLongW(window.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(::GetWindow(window.Handle(), GW_OWNER), owner.Handle());

    struct Row {
        const wchar_t* name;
        RECT box;  // left, top, right, bottom at 96 DPI; right/bottom 0: sized by its text
    };
    const Row rows[] = {
        {L"AboutPanel", {0, 0, 700, 386}},
        {L"LicensedMemo", {72, 136, 72 + 556, 136 + 73}},
        {L"CopyrightWarningLabel", {72, 302, 72 + 556, 302 + 70}},
        {L"CloseButton", {608, 403, 608 + 79, 403 + 25}},
        {L"HelpButton", {14, 403, 14 + 79, 403 + 25}},
        {L"VersionLabel", {72, 82, 0, 0}},
        {L"CopyrightLabel", {72, 101, 0, 0}},
        {L"LicenseAgreementLabel", {72, 287, 0, 0}},
        {L"BannerLabel", {48, 18, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::wstring(row.name));
        const RECT box = Box(row.name);
        EXPECT_EQ(box.left, Scale(row.box.left, dpi));
        EXPECT_EQ(box.top, Scale(row.box.top, dpi));
        if (row.box.right != 0) {
            EXPECT_EQ(box.right, Scale(row.box.right, dpi));
            EXPECT_EQ(box.bottom, Scale(row.box.bottom, dpi));
        }
    }
    const LONG memo = ::GetWindowLongW(window.FindControl(L"LicensedMemo")->Handle(), GWL_STYLE);
    EXPECT_TRUE(memo & ES_READONLY);
    EXPECT_TRUE(memo & ES_MULTILINE);
    EXPECT_TRUE(memo & WS_VSCROLL);
    EXPECT_FALSE(memo & (WS_HSCROLL | ES_AUTOHSCROLL));
    EXPECT_EQ(::GetWindowLongW(window.FindControl(L"CloseButton")->Handle(), GWL_STYLE) & 0xF,
              BS_DEFPUSHBUTTON);
}

TEST_F(AboutForm, ModalOverItsOwnerKeptInsideTheWorkAreaEnterClosesEscapeDoesNot) {
    // An owner partly off the screen's top left: the window stops at the work area's edges.
    ::SetWindowPos(owner.Handle(), nullptr, -600, -400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        bool sawEscapeIgnored = false;
        RECT placed{};
        HWND focus = nullptr;
        bool ownerEnabled = true;
        std::wstring version;
        ModalScript::Run({
            [&] {
                ::GetWindowRect(window.Handle(), &placed);
                focus = ::GetFocus();
                ownerEnabled = ::IsWindowEnabled(owner.Handle()) != FALSE;
                version = Text(L"VersionLabel");
                PressKey(::GetFocus(), VK_ESCAPE);
            },
            [&] {
                sawEscapeIgnored = window.Visible();
                PressKey(::GetFocus(), VK_RETURN);
            },
            [&] {
                // Still open here means Enter did nothing: end the loop for the test's sake.
                if (window.Visible()) {
                    ADD_FAILURE() << "Enter did not close the window";
                    window.Close();
                }
            },
        });
        window.ShowModalOverMainWindow();
        EXPECT_FALSE(window.Visible());
        EXPECT_EQ(placed.left, work.left);
        EXPECT_EQ(placed.top, work.top);
        EXPECT_EQ(focus, window.FindControl(L"CloseButton")->Handle());
        EXPECT_FALSE(ownerEnabled);
        EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
        EXPECT_TRUE(sawEscapeIgnored);
        EXPECT_EQ(version, L"Velotune 4  (Version : 4.3.29.2021)");
        EXPECT_EQ(window.Title(), L"About Velotune");
    }
}

TEST_F(AboutForm, CentredOverItsOwner) {
    ::SetWindowPos(owner.Handle(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT o{};
    RECT w{};
    ModalScript::Run({[&] {
        ::GetWindowRect(window.Handle(), &w);
        window.Close();
    }});
    window.ShowModalOverMainWindow();
    ::GetWindowRect(owner.Handle(), &o);
    EXPECT_EQ(w.left, o.left + ((o.right - o.left) - (w.right - w.left)) / 2);
    EXPECT_EQ(w.top, o.top + ((o.bottom - o.top) - (w.bottom - w.top)) / 2);
}

TEST_F(AboutForm, HelpButtonAndLicenceLink) {
    window.FindControl(L"HelpButton")->Click();
    window.FindControl(L"LicenseAgreementLabel")->Click();
    EXPECT_EQ(events,
              (std::vector<std::wstring>{L"shortcut 112", L"click",
                                         L"document C:\\Program Files\\Velotune\\License.rtf|"}));
    // Hover underlines the link; its colour stays.
    win::Control* link = window.FindControl(L"LicenseAgreementLabel");
    link->MouseEnter();
    EXPECT_TRUE(link->Font()->style & font_style::kUnderline);
    EXPECT_EQ(link->Font()->color, 0xCC6600u);
    link->MouseLeave();
    EXPECT_FALSE(link->Font()->style & font_style::kUnderline);
}

}  // namespace
}  // namespace vt
