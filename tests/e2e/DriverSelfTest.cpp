// The driver's own checks against a fixture program, so that a scenario's failure points at the
// program and not at the driver.
#include <gtest/gtest.h>

#include "e2e/Driver.h"
#include "e2e/Paths.h"

namespace vt::e2e {
namespace {

TEST(Driver, ReadsAndAnswersAnotherProcesssMessageBoxes) {
    struct Case {
        const wchar_t* type;
        BoxIcon icon;
        std::vector<int> buttons;
        int defaultButton;
        int answer;
    };
    const Case cases[] = {
        {L"44", BoxIcon::Information, {IDYES, IDNO}, IDYES, IDNO},
        {L"134", BoxIcon::Warning, {IDYES, IDNO}, IDNO, IDYES},
        {L"21", BoxIcon::Question, {IDOK, IDCANCEL}, IDOK, IDOK},
        {L"10", BoxIcon::Error, {IDOK}, IDOK, IDOK},
        {L"0", BoxIcon::None, {IDOK}, IDOK, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Process fixture = Process::Start(FixtureExe(), std::wstring(L"box ") + c.type);
        ASSERT_TRUE(fixture);
        const auto box = WaitForMessageBox(fixture.Id(), 20s);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, L"Fixture box");
        EXPECT_EQ(box->text, L"Line one\r\n\r\nLine two");
        EXPECT_EQ(box->owner, nullptr);
        EXPECT_EQ(ToString(box->icon), ToString(c.icon));
        EXPECT_EQ(box->buttons, c.buttons);
        EXPECT_EQ(box->defaultButton, c.defaultButton);
        EXPECT_EQ(box->focusedButton, c.defaultButton);
        Answer(*box, c.answer);
        EXPECT_EQ(fixture.WaitExit(10s), static_cast<DWORD>(c.answer));
    }
}

TEST(Driver, ReadsWindowsAndCombosAndClicksButtons) {
    Process fixture = Process::Start(FixtureExe(), L"window");
    ASSERT_TRUE(fixture);
    const HWND window = WaitForVisibleWindow(L"VtE2EFixture", fixture.Id(), 20s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), L"Fixture");
    EXPECT_EQ(ClientSize(window).cx, 300);
    EXPECT_EQ(ClientSize(window).cy, 200);
    const auto combos = Descendants(window);
    HWND combo = nullptr;
    for (HWND child : combos) {
        if (ClassOf(child) == L"ComboBoxEx32") {
            combo = child;
        }
    }
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(ComboItems(combo),
              (std::vector<std::wstring>{L"One", L"Two", L"Three \u00e9\uc815"}));
    EXPECT_EQ(ComboSelection(combo), 1);

    const HWND button = ChildWithText(window, L"&Press", L"Button");
    ASSERT_NE(button, nullptr) << DescribeTexts(window);
    Click(button);
    const auto box = WaitForMessageBox(fixture.Id(), 20s);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->owner, window);
    EXPECT_EQ(ToString(box->icon), L"warning");
    EXPECT_EQ(box->defaultButton, IDNO);
    Answer(*box, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !AnyMessageBox(fixture.Id()); }, 10s));

    // The same through the input queue, as a mouse click.
    MouseClick(button);
    const auto second = WaitForMessageBox(fixture.Id(), 20s);
    ASSERT_TRUE(second);
    Answer(*second, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return !AnyMessageBox(fixture.Id()); }, 10s));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(fixture.WaitExit(10s), static_cast<DWORD>(IDYES));
}

TEST(Driver, SnapshotPutsRegistryBack) {
    const std::wstring base =
        L"Software\\VelotuneTests\\e2e-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, base + L"\\Kept", L"A", Sz(L"before")));
    {
        RegistrySnapshot snapshot;
        snapshot.AddKey(HKEY_CURRENT_USER, base + L"\\Kept");
        snapshot.AddValue({HKEY_CURRENT_USER, base, L"Absent"});
        WriteValue(HKEY_CURRENT_USER, base + L"\\Kept", L"A", Dword(5));
        WriteValue(HKEY_CURRENT_USER, base + L"\\Kept\\New", L"B", Dword(6));
        WriteValue(HKEY_CURRENT_USER, base, L"Absent", Dword(7));
    }
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, base + L"\\Kept", L"A"), Sz(L"before"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + L"\\Kept\\New"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, base, L"Absent"), std::nullopt);
    DeleteKeyTree(HKEY_CURRENT_USER, base);
}

}  // namespace
}  // namespace vt::e2e
