#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ui/win/Application.h"
#include "ui/win/Form.h"
#include "ui/win/NativeHandCursor.h"
#include "ui/win/NativeHintWindow.h"

namespace vt::win {
namespace {

std::wstring TipText(HWND tip) {
    wchar_t buffer[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    if (!::SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) {
        return L"<no tool>";
    }
    tool.lpszText = buffer;
    ::SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return buffer;
}

TEST(NativeHintWindow, ShowsKeepsAndReplacesTheTooltip) {
    InstallNativeHintWindow();
    THintWindowFix hint;
    ASSERT_EQ(HintWindowList().size(), 1u);
    hint.ActivateHint(RECT{250, 180, 300, 200}, L"Tom & Jerry");
    HWND first = hint.TipWindow();
    ASSERT_NE(first, nullptr);
    wchar_t className[64] = {};
    ::GetClassNameW(first, className, 64);
    EXPECT_STREQ(className, L"tooltips_class32");
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_EQ(TipText(first), L"Tom & Jerry");  // a live tool: the structure size is right
    RECT shown{};
    ::GetWindowRect(first, &shown);
    EXPECT_LE(std::abs(shown.left - 250), 2);
    EXPECT_LE(std::abs(shown.top - 181), 2);

    // The same text neither moves nor recreates it.
    hint.ActivateHint(RECT{600, 500, 650, 520}, L"Tom & Jerry");
    EXPECT_EQ(hint.TipWindow(), first);
    RECT still{};
    ::GetWindowRect(first, &still);
    EXPECT_EQ(still.left, shown.left);

    // Another text replaces it.
    hint.ActivateHint(RECT{400, 300, 450, 320}, L"Second");
    EXPECT_NE(hint.TipWindow(), first);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(TipText(hint.TipWindow()), L"Second");
    EXPECT_EQ(hint.Caption(), L"Second");

    HWND second = hint.TipWindow();
    HideNativeHint();
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_EQ(hint.TipWindow(), nullptr);
}

TEST(NativeHintWindow, HideWithoutHintWindowDoesNothing) {
    ASSERT_TRUE(HintWindowList().empty());
    HWND other = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    InstallNativeHintWindow();
    HideNativeHint();
    Application::Instance().HideHint();
    EXPECT_TRUE(::IsWindow(other));
    ::DestroyWindow(other);
}

TEST(NativeHintWindow, MeasuresLinesInTheHintFont) {
    const SIZE one = GetTextSize(L"Wide line of text");
    ASSERT_GT(one.cx, 0);
    ASSERT_GT(one.cy, 0);
    const SIZE two = GetMultiLineTextSize(L"Wide line of text\r\nshort", 3);
    EXPECT_EQ(two.cx, one.cx);
    EXPECT_EQ(two.cy, 2 * one.cy + 3);
    const RECT box = THintWindowFix().CalcHintRect(0, L"Wide line of text\r\nshort", nullptr);
    EXPECT_EQ(box.right, one.cx);
    EXPECT_EQ(box.bottom, 2 * one.cy);
}

constexpr LayoutRow kHintRows[] = {
    {.name = L"Save", .kind = Kind::Label, .rect = {10, 10, 0, 0}},
    {.name = L"Blank", .kind = Kind::Label, .rect = {10, 40, 0, 0}},
};
constexpr FormDef kHintForm{
    .className = L"TkHintTestForm", .clientWidth = 200, .clientHeight = 100, .rows = kHintRows};

// The toolkit's hint machinery with the native hint window installed: the timing comes from the
// double-click time, the short hint shows, a blank hint removes it.
TEST(NativeHintWindow, ApplicationHintsThroughTheTooltip) {
    const UINT doubleClick = ::GetDoubleClickTime();
    ::SetDoubleClickTime(400);
    InstallNativeHintWindow();
    Application& app = Application::Instance();
    Form form(kHintForm);
    form.Create();
    Control* save = form.FindControl(L"Save");
    Control* blank = form.FindControl(L"Blank");
    save->SetHint(L"Save|Saves the settings");
    blank->SetHint(L"   ");
    int hintEvents = 0;
    app.OnHint = [&] { ++hintEvents; };

    app.HintControlChanged(save);
    EXPECT_EQ(app.Hint(), L"Save|Saves the settings");
    EXPECT_EQ(hintEvents, 1);
    app.ActivateCurrentHint();
    ASSERT_EQ(HintWindowList().size(), 1u);
    THintWindowFix* window = HintWindowList().front();
    EXPECT_EQ(app.HintPause, 400);
    EXPECT_EQ(app.HintShortPause, 80);
    EXPECT_EQ(app.HintHidePause, 4000);
    ASSERT_NE(window->TipWindow(), nullptr);
    EXPECT_EQ(TipText(window->TipWindow()), L"Save");

    // The hint window owns the hint-changed event now: a blank hint removes the tooltip, and the
    // handler it replaced is not called.
    app.HintControlChanged(blank);
    EXPECT_EQ(window->TipWindow(), nullptr);
    EXPECT_EQ(hintEvents, 1);

    app.SetShowHint(false);  // drops the hint window, which gives the event back
    EXPECT_TRUE(HintWindowList().empty());
    app.HintControlChanged(save);
    EXPECT_EQ(hintEvents, 2);
    app.OnHint = nullptr;
    app.HintControlChanged(nullptr);
    app.SetShowHint(true);
    ::SetDoubleClickTime(doubleClick);
}

TEST(NativeHandCursor, TheSystemHandForHandPoint) {
    InstallNativeHandCursor();
    EXPECT_EQ(Application::Instance().Screen().Cursor(crHandPoint),
              ::LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace
}  // namespace vt::win
