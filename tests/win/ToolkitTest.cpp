#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "i18n/SystemFont.h"
#include "ui/win/Application.h"
#include "ui/win/Dpi.h"
#include "ui/win/Form.h"
#include "ui/win/ImageCombo.h"
#include "ui/win/Label.h"
#include "ui/win/Picture.h"
#include "ui/win/PngImage.h"
#include "ui/win/PopupMenu.h"
#include "ui/win/ProgressBar.h"
#include "ui/win/PushButton.h"
#include "ui/win/TrackBar.h"

namespace vt::win {
namespace {

constexpr LayoutFont kBold8{L"Tahoma", 8, font_style::kBold, kWindowTextColour};
constexpr ComboItem kItems[] = {{L"  First", 0}, {L"  Second", 1}};
constexpr const wchar_t* kImages[] = {L"ImageList1_0", L"ImageList1_1"};

constexpr LayoutRow kRows[] = {
    {.name = L"Board",
     .kind = Kind::Panel,
     .rect = {0, 0, 400, 300},
     .colour = kWindowColour,
     .flags = kFillParent,
     .tabOrder = 0,
     .cursor = crHourGlass},
    {.name = L"Icon",
     .kind = Kind::Picture,
     .parent = L"Board",
     .rect = {10, 10, 78, 27},
     .cursor = crHandPoint,
     .picture = L"NavButton1"},
    {.name = L"Title",
     .kind = Kind::Label,
     .parent = L"Board",
     .rect = {20, 50, 0, 0},
     .font = kBold8},
    {.name = L"Tail",
     .kind = Kind::Label,
     .parent = L"Board",
     .rect = {100, 70, 200, 13},
     .flags = kAlignRight},
    {.name = L"Note",
     .kind = Kind::Label,
     .parent = L"Board",
     .rect = {20, 90, 150, 36},
     .flags = kFixedSize | kWordWrap | kCentreVertically | kNoPrefix},
    {.name = L"Pictures", .kind = Kind::ImageList, .rect = {0, 0, 16, 16}, .pictures = kImages},
    {.name = L"Choice",
     .kind = Kind::ImageCombo,
     .parent = L"Board",
     .rect = {20, 140, 200, 22},
     .tabOrder = 1,
     .imageList = L"Pictures",
     .items = kItems},
    {.name = L"Speed",
     .kind = Kind::TrackBar,
     .parent = L"Board",
     .rect = {20, 170, 200, 40},
     .tabOrder = 2,
     .rangeMin = 0,
     .rangeMax = 1,
     .pageSize = 1,
     .thumbLength = 20},
    {.name = L"Bar",
     .kind = Kind::ProgressBar,
     .parent = L"Board",
     .rect = {20, 215, 200, 17},
     .cursor = crHourGlass},
    {.name = L"Go",
     .kind = Kind::PushButton,
     .parent = L"Board",
     .rect = {250, 140, 100, 30},
     .font = kBold8,
     .flags = kDefaultButton,
     .tabOrder = 0},
    {.name = L"Other",
     .kind = Kind::PushButton,
     .parent = L"Board",
     .rect = {250, 180, 100, 25},
     .tabOrder = 3},
    {.name = L"Credits", .kind = Kind::Memo, .parent = L"Board", .rect = {20, 240, 200, 50}},
    {.name = L"Menu", .kind = Kind::PopupMenu},
    {.name = L"MenuOne", .kind = Kind::MenuItem, .parent = L"Menu"},
    {.name = L"MenuLine", .kind = Kind::MenuItem, .parent = L"Menu", .flags = kSeparator},
    {.name = L"MenuTwo", .kind = Kind::MenuItem, .parent = L"Menu"},
};

constexpr FormDef kWindow{.className = L"TkTestForm",
                          .name = L"TestForm",
                          .clientWidth = 400,
                          .clientHeight = 300,
                          .rows = kRows};
constexpr FormDef kOwnedWindow{.className = L"TkTestOwnedForm",
                               .name = L"OwnedForm",
                               .clientWidth = 200,
                               .clientHeight = 100,
                               .titleButtons = kNoTitleButtons,
                               .position = Position::OwnerCentre};

RECT RectInParent(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[256] = {};
    ::GetWindowTextW(window, buffer, 256);
    return buffer;
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    return font;
}

class Toolkit : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        ASSERT_NE(form.Handle(), nullptr);
        dpi = form.Dpi();
    }
    Control& At(const wchar_t* name) {
        Control* control = form.FindControl(name);
        EXPECT_NE(control, nullptr) << "no control " << static_cast<const void*>(name);
        return *control;
    }

    Form form{kWindow};
    UINT dpi = 96;
};

TEST_F(Toolkit, WindowAndControlsFromTheLayout) {
    wchar_t className[64] = {};
    ::GetClassNameW(form.Handle(), className, 64);
    EXPECT_STREQ(className, L"TkTestForm");
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, Scale(400, dpi));
    EXPECT_EQ(client.bottom, Scale(300, dpi));

    // Components in layout order, with the kinds the language layer knows.
    ASSERT_EQ(form.ComponentCount(), std::size(kRows));
    EXPECT_EQ(form.Component(2)->Name(), L"Title");
    EXPECT_EQ(form.Component(2)->Kind(), ComponentKind::Label);
    EXPECT_EQ(form.Component(9)->Kind(), ComponentKind::PushButton);
    EXPECT_EQ(form.Component(0)->Kind(), ComponentKind::Panel);
    EXPECT_EQ(form.Component(6)->Kind(), ComponentKind::Other);
    EXPECT_EQ(form.Component(std::size(kRows)), nullptr);
    EXPECT_EQ(form.FindControl(L"MenuTwo")->Kind(), ComponentKind::MenuItem);

    // Windowed controls stand where the layout puts them, the panel fills the client area.
    EXPECT_EQ(RectInParent(At(L"Board").Handle()).right, client.right);
    const RECT go = RectInParent(At(L"Go").Handle());
    EXPECT_EQ(go.left, Scale(250, dpi));
    EXPECT_EQ(go.top, Scale(140, dpi));
    EXPECT_EQ(go.right - go.left, Scale(100, dpi));
    EXPECT_EQ(go.bottom - go.top, Scale(30, dpi));
    EXPECT_TRUE(::GetWindowLongW(At(L"Go").Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetParent(At(L"Go").Handle()), At(L"Board").Handle());

    auto* bar = form.Find<ProgressBar>(L"Bar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::SendMessageW(bar->Handle(), PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_TRUE(::GetWindowLongW(bar->Handle(), GWL_STYLE) & PBS_SMOOTH);
    auto* speed = form.Find<TrackBar>(L"Speed");
    speed->SetPosition(5);
    EXPECT_EQ(speed->Position(), 1);  // held within the range
    EXPECT_EQ(::SendMessageW(speed->Handle(), TBM_GETTHUMBLENGTH, 0, 0), Scale(20, dpi));

    auto* choice = form.Find<ImageCombo>(L"Choice");
    ASSERT_EQ(choice->ItemCount(), 2);
    EXPECT_EQ(choice->ItemText(1), L"  Second");
    EXPECT_EQ(choice->ItemIndex(), -1);
    choice->SetItemIndex(1);
    EXPECT_EQ(choice->ItemIndex(), 1);
    EXPECT_NE(::SendMessageW(choice->Handle(), CBEM_GETIMAGELIST, 0, 0), 0);

    EXPECT_TRUE(form.Find<Picture>(L"Icon")->HasImage());

    // The memo: read-only, wrapping, vertical scroll bar, its whole text set at once, drawn on its
    // parent's colour.
    Control& credits = At(L"Credits");
    EXPECT_EQ(credits.Kind(), ComponentKind::Memo);
    const LONG memoStyle = ::GetWindowLongW(credits.Handle(), GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_READONLY);
    EXPECT_TRUE(memoStyle & ES_MULTILINE);
    EXPECT_TRUE(memoStyle & WS_VSCROLL);
    EXPECT_FALSE(memoStyle & (ES_AUTOHSCROLL | WS_HSCROLL));
    credits.SetText(L"One long paragraph of credits.");
    EXPECT_EQ(WindowText(credits.Handle()), L"One long paragraph of credits.");
    WindowDc memoDc(credits.Handle());
    ::SendMessageW(At(L"Board").Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memoDc.get()),
                   reinterpret_cast<LPARAM>(credits.Handle()));
    EXPECT_EQ(::GetBkColor(memoDc.get()), ::GetSysColor(COLOR_WINDOW));

    // The main form (no owner) has the taskbar button of its own.
    EXPECT_TRUE(::GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(Toolkit, LabelsAreRealWindowsSizedToTheirText) {
    Control& title = At(L"Title");
    title.SetText(L"Optimizing");
    EXPECT_EQ(WindowText(title.Handle()), L"Optimizing");
    const RECT shortBox = RectInParent(title.Handle());
    title.SetText(L"Optimizing the computer's settings");
    const RECT longBox = RectInParent(title.Handle());
    EXPECT_EQ(shortBox.left, Scale(20, dpi));
    EXPECT_EQ(longBox.left, shortBox.left);
    EXPECT_GT(longBox.right, shortBox.right);
    EXPECT_GT(shortBox.bottom - shortBox.top, 0);

    // Right-aligned: grows to the left, its right edge stays at x + w.
    Control& tail = At(L"Tail");
    tail.SetText(L"Max");
    const RECT a = RectInParent(tail.Handle());
    tail.SetText(L"Maximum Boost");
    const RECT b = RectInParent(tail.Handle());
    EXPECT_EQ(a.right, Scale(100, dpi) + Scale(200, dpi));
    EXPECT_EQ(b.right, a.right);
    EXPECT_LT(b.left, a.left);

    // A fixed box keeps its size whatever the text.
    Control& note = At(L"Note");
    note.SetText(L"Tom & Jerry wrap over more than one line of this narrow box");
    const RECT fixed = RectInParent(note.Handle());
    EXPECT_EQ(fixed.right - fixed.left, Scale(150, dpi));
    EXPECT_EQ(fixed.bottom - fixed.top, Scale(36, dpi));
}

// Columns with ink of a label drawn through its container as on screen (`label` window), or of
// its text drawn by itself into a wider box.
int InkColumns(HWND window, const Label* unclipped, int width, int height) {
    WindowDc screen(window);
    UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    SelectedObject selected(memory.get(), bitmap.get());
    RECT all{0, 0, width, height};
    ::FillRect(memory.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (unclipped != nullptr) {
        unclipped->DrawText(memory.get(), all);
    } else {
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    }
    int columns = 0;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if ((::GetPixel(memory.get(), x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

// The label is as wide as its ink, also where the glyphs reach past their advance widths (a
// line mixing Korean and Latin under Wine lost its last dot).
TEST_F(Toolkit, LabelsShowAllTheirInk) {
    auto* title = form.Find<Label>(L"Title");
    title->SetFont(FontSpec{L"Tahoma", 8, 0, 0, 1});
    for (const wchar_t* text : {L"Finding 3D graphics device...",
                                L"3D \uADF8\uB798\uD53D \uC7A5\uCE58\uB97C "
                                L"\uAC80\uC0C9\uD558\uB294 \uC911..."}) {
        title->SetText(text);
        RECT client{};
        ::GetClientRect(title->Handle(), &client);
        const int shown = InkColumns(title->Handle(), nullptr, client.right, client.bottom);
        const int all = InkColumns(title->Handle(), title, client.right + 40, client.bottom);
        EXPECT_GT(shown, 0);
        EXPECT_EQ(shown, all) << static_cast<const void*>(text);
    }
}

TEST_F(Toolkit, FontsFollowParentAndAdaptFonts) {
    Control& other = At(L"Other");  // no face of its own: the form's font through its panel
    EXPECT_TRUE(other.ParentFont().value());
    EXPECT_FALSE(At(L"Go").ParentFont().value());
    EXPECT_FALSE(At(L"Bar").ParentFont().has_value());  // progress bars publish no font

    FontSpec windowFont{L"Arial", 9, 0, 0, 1};
    form.SetFont(windowFont);
    EXPECT_STREQ(FontOf(other.Handle()).lfFaceName, L"Arial");
    EXPECT_EQ(FontOf(other.Handle()).lfHeight, -::MulDiv(9, static_cast<int>(dpi), 72));
    EXPECT_STREQ(FontOf(At(L"Go").Handle()).lfFaceName, L"Tahoma");

    // The language layer's font adaptation works on the real window.
    AdaptFonts(form);
    const LOGFONTW go = FontOf(At(L"Go").Handle());
    EXPECT_STREQ(go.lfFaceName, L"Arial");
    EXPECT_EQ(go.lfHeight, -::MulDiv(9, static_cast<int>(dpi), 72));  // raised to 9 pt
    EXPECT_EQ(go.lfWeight, FW_BOLD);

    FontSpec underlined = *At(L"Title").Font();
    underlined.style |= font_style::kUnderline;
    At(L"Title").SetFont(underlined);
    EXPECT_EQ(At(L"Title").Font()->style, font_style::kBold | font_style::kUnderline);
}

// A window prepares itself by setting fonts and texts several times over; what it ends with is
// in place, measured, when creating or showing it is done.
TEST(FormPreparation, FontsAndTextsSetWhilePreparingAreInPlaceWhenItEnds) {
    Form prepared{kWindow};
    const FontSpec large{L"Arial", 12, 0, 0, 1};
    prepared.OnCreate = [&](Form& f) {
        f.FindControl(L"Tail")->SetText(L"Short");
        f.SetFont(large);
        f.FindControl(L"Tail")->SetText(L"Maximum Boost");
    };
    prepared.Create();
    ASSERT_NE(prepared.Handle(), nullptr);
    Control* tail = prepared.FindControl(L"Tail");  // takes the form's font, grows to the left
    EXPECT_EQ(WindowText(tail->Handle()), L"Maximum Boost");
    EXPECT_STREQ(FontOf(tail->Handle()).lfFaceName, L"Arial");
    const RECT created = RectInParent(tail->Handle());
    EXPECT_GT(created.right - created.left, 0);
    // The same text set again now, outside any preparation, gives the same box.
    tail->SetText(L"Maximum Boost");
    const RECT again = RectInParent(tail->Handle());
    EXPECT_TRUE(::EqualRect(&created, &again));

    prepared.OnShow = [](Form& f) { f.FindControl(L"Tail")->SetText(L"Maximum Boost, longer"); };
    prepared.Show();
    const RECT shown = RectInParent(tail->Handle());
    EXPECT_LT(shown.left, again.left);
    tail->SetText(L"Maximum Boost, longer");
    const RECT remeasured = RectInParent(tail->Handle());
    EXPECT_TRUE(::EqualRect(&shown, &remeasured));
    prepared.Hide();
}

TEST_F(Toolkit, PointerEventsInOrderAndClicks) {
    std::vector<std::wstring> events;
    for (const wchar_t* name : {L"Icon", L"Title"}) {
        Control& control = At(name);
        control.OnMouseEnter = [&](Control& c) { events.push_back(L"enter " + c.Name()); };
        control.OnMouseLeave = [&](Control& c) { events.push_back(L"leave " + c.Name()); };
        control.OnClick = [&](Control& c) { events.push_back(L"click " + c.Name()); };
    }
    At(L"Go").OnClick = [&](Control& c) { events.push_back(L"click " + c.Name()); };
    HWND board = At(L"Board").Handle();
    const LPARAM onIcon = MAKELPARAM(Scale(20, dpi), Scale(20, dpi));
    HWND title = At(L"Title").Handle();
    At(L"Title").SetText(L"Link");

    ::SendMessageW(board, WM_MOUSEMOVE, 0, onIcon);
    ::SendMessageW(board, WM_MOUSEMOVE, 0, onIcon);  // no second enter
    ::SendMessageW(board, WM_LBUTTONDOWN, MK_LBUTTON, onIcon);
    ::SendMessageW(board, WM_LBUTTONUP, 0, onIcon);
    // Straight from the picture onto the label: the picture's leave comes first, and the
    // container's late leave notice changes nothing.
    ::SendMessageW(title, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ::SendMessageW(board, WM_MOUSELEAVE, 0, 0);
    ::SendMessageW(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ::SendMessageW(title, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    ::SendMessageW(title, WM_MOUSELEAVE, 0, 0);
    ::SendMessageW(At(L"Go").Handle(), BM_CLICK, 0, 0);

    const std::vector<std::wstring> expected{L"enter Icon",  L"click Icon",  L"leave Icon",
                                             L"enter Title", L"click Title", L"leave Title",
                                             L"click Go"};
    EXPECT_EQ(events, expected);
}

TEST_F(Toolkit, CursorPerControl) {
    auto cursorOver = [](HWND window) {
        ::SetCursor(nullptr);
        ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_EQ(cursorOver(At(L"Bar").Handle()), wait);
    EXPECT_EQ(cursorOver(At(L"Board").Handle()), wait);
    EXPECT_EQ(cursorOver(At(L"Title").Handle()), wait);  // a label shows its container's
    EXPECT_EQ(cursorOver(At(L"Go").Handle()), ::LoadCursorW(nullptr, IDC_ARROW));

    Screen& screen = Application::Instance().Screen();
    HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    screen.SetCursor(crHandPoint, hand);
    EXPECT_EQ(screen.Cursor(crHandPoint), hand);
    screen.SetCursor(crHandPoint, nullptr);
}

TEST_F(Toolkit, EnterPressesTheDefaultButtonAndKeysReachOnShortCut) {
    int clicks = 0;
    At(L"Go").OnClick = [&](Control&) { ++clicks; };
    std::vector<WPARAM> keys;
    Application& app = Application::Instance();
    app.OnShortCut = [&](MSG& message, bool&) { keys.push_back(message.wParam); };
    form.Show();
    app.ProcessMessages();
    HWND other = At(L"Other").Handle();
    ::SetFocus(other);
    ::PostMessageW(other, WM_KEYDOWN, VK_F1, 0);
    ::PostMessageW(other, WM_KEYDOWN, VK_RETURN, 0);
    app.ProcessMessages();
    // Alt and the letter after "&" presses a button too.
    At(L"Other").SetText(L"&Restore");
    int otherClicks = 0;
    At(L"Other").OnClick = [&](Control&) { ++otherClicks; };
    ::SetFocus(At(L"Go").Handle());
    ::PostMessageW(At(L"Go").Handle(), WM_SYSCHAR, L'r', 1 << 29);
    app.ProcessMessages();
    app.OnShortCut = nullptr;
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_F1, VK_RETURN}));
    form.Hide();
}

TEST_F(Toolkit, PopupMenuItemsAndTheirClick) {
    auto* menu = form.Find<PopupMenu>(L"Menu");
    ASSERT_NE(menu, nullptr);
    form.FindControl(L"MenuOne")->SetText(L"Get &help");
    form.FindControl(L"MenuTwo")->SetText(L"&Contact support");
    ASSERT_EQ(::GetMenuItemCount(menu->Handle()), 3);
    wchar_t text[64] = {};
    ::GetMenuStringW(menu->Handle(), 2, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Contact support");
    MENUITEMINFOW line{};
    line.cbSize = sizeof line;
    line.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu->Handle(), 1, TRUE, &line);
    EXPECT_TRUE(line.fType & MFT_SEPARATOR);

    // Down twice skips the separator; Enter chooses; the item's click runs after the menu closed.
    std::vector<std::wstring> clicked;
    for (const wchar_t* name : {L"MenuOne", L"MenuTwo"}) {
        form.FindControl(name)->OnClick = [&](Control& c) { clicked.push_back(c.Name()); };
    }
    form.Show();
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        ::PostMessageW(form.Handle(), WM_KEYDOWN, key, 0);
    }
    menu->Popup(300, 200);
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"MenuTwo"});
    form.Hide();
}

TEST_F(Toolkit, FirstFocusFollowsTabOrderThroughPanels) {
    form.Show();
    EXPECT_EQ(::GetFocus(), At(L"Go").Handle());
    form.Hide();
}

TEST_F(Toolkit, SecondaryFormsHideOnCloseAndRefuseWhenAsked) {
    Form owned(kOwnedWindow);
    owned.Create(form.Handle());
    EXPECT_EQ(::GetWindowLongW(owned.Handle(), GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_EQ(::GetWindowLongW(owned.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    owned.Show();
    ASSERT_TRUE(owned.Visible());
    bool allow = false;
    owned.OnCloseQuery = [&](Form&) { return allow; };
    ::SendMessageW(owned.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(owned.Visible());
    allow = true;
    ::SendMessageW(owned.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(owned.Visible());
    EXPECT_TRUE(::IsWindow(owned.Handle()));

    // Modal: the owner is disabled while it shows, and enabled again after.
    bool ownerEnabledWhileShown = true;
    owned.OnShow = [&](Form& f) {
        ownerEnabledWhileShown = ::IsWindowEnabled(form.Handle()) != FALSE;
        ::PostMessageW(f.Handle(), WM_CLOSE, 0, 0);
    };
    owned.ShowModal();
    EXPECT_FALSE(ownerEnabledWhileShown);
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
    EXPECT_FALSE(owned.Visible());
}

TEST_F(Toolkit, OwnerCentredAndKeptInsideTheWorkArea) {
    Form owned(kOwnedWindow);
    owned.Create(form.Handle());
    RECT ownedRect{};
    ::GetWindowRect(owned.Handle(), &ownedRect);
    const int w = ownedRect.right - ownedRect.left;
    const int h = ownedRect.bottom - ownedRect.top;

    ::SetWindowPos(form.Handle(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT ownerRect{};
    ::GetWindowRect(form.Handle(), &ownerRect);
    owned.Show();
    ::GetWindowRect(owned.Handle(), &ownedRect);
    EXPECT_EQ(ownedRect.left, ownerRect.left + ((ownerRect.right - ownerRect.left) - w) / 2);
    EXPECT_EQ(ownedRect.top, ownerRect.top + ((ownerRect.bottom - ownerRect.top) - h) / 2);
    owned.Hide();

    ::SetWindowPos(form.Handle(), nullptr, -900, -700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    owned.Show();
    ::GetWindowRect(owned.Handle(), &ownedRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(ownedRect.left, monitor.rcWork.left);
    EXPECT_EQ(ownedRect.top, monitor.rcWork.top);
    owned.Hide();
}

// Moved to a monitor of another density, the window is laid out again at the suggested place.
TEST_F(Toolkit, LaidOutAgainWhenTheDensityChanges) {
    const UINT other = dpi == 144 ? 96 : 144;
    At(L"Title").SetText(L"Optimizing");
    const RECT before = RectInParent(At(L"Title").Handle());
    RECT suggested{100, 80, 100 + Scale(420, other), 80 + Scale(340, other)};
    ::SendMessageW(form.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(other, other),
                   reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), other);
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, Scale(400, other));
    EXPECT_EQ(client.bottom, Scale(300, other));
    RECT window{};
    ::GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 80);
    const RECT go = RectInParent(At(L"Go").Handle());
    EXPECT_EQ(go.left, Scale(250, other));
    EXPECT_EQ(go.bottom - go.top, Scale(30, other));
    EXPECT_EQ(FontOf(At(L"Go").Handle()).lfHeight, -::MulDiv(8, static_cast<int>(other), 72));
    EXPECT_EQ(RectInParent(At(L"Board").Handle()).right, client.right);
    const RECT after = RectInParent(At(L"Title").Handle());
    EXPECT_EQ(after.left, Scale(20, other));
    EXPECT_NE(after.right - after.left, before.right - before.left);  // measured in the new font
    EXPECT_EQ(::SendMessageW(At(L"Speed").Handle(), TBM_GETTHUMBLENGTH, 0, 0), Scale(20, other));
}

TEST(PngImage, TwiceTheArtAboveOneHundredTwentyDpi) {
    const PngImage normal = PngImage::Load(L"NavButton1", 96);
    const PngImage large = PngImage::Load(L"NavButton1", 144);
    ASSERT_TRUE(normal);
    ASSERT_TRUE(large);
    EXPECT_EQ(normal.Width(), 78u);
    EXPECT_EQ(normal.Height(), 27u);
    EXPECT_EQ(large.Width(), 156u);
    EXPECT_EQ(PngImage::Load(L"NavButton1", 120).Width(), 78u);
    EXPECT_FALSE(PngImage::Load(L"NoSuchPicture", 96));

    // Scaled to the exact box, alpha kept (the corner of the help button art is transparent).
    UniqueBitmap bitmap = large.Scaled(117, 41);
    ASSERT_TRUE(bitmap);
    DIBSECTION dib{};
    ASSERT_NE(::GetObjectW(bitmap.get(), sizeof dib, &dib), 0);
    EXPECT_EQ(dib.dsBm.bmWidth, 117);
    EXPECT_EQ(dib.dsBm.bmHeight, 41);
    const auto* pixels = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    EXPECT_EQ(pixels[116] >> 24, 0u);  // top right corner: transparent
}

// LoadScaled gives the very pixels of Load(...).Scaled(...), whether it scales or not.
TEST(PngImage, LoadScaledGivesThePixelsOfLoadThenScaled) {
    struct Case {
        const wchar_t* name;
        UINT dpi;
        int width;
        int height;
    };
    const Case cases[] = {
        {L"NavButton1", 96, 78, 27},         // its own size: read straight into the bitmap
        {L"NavButton1", 144, 117, 41},       // the @2x art scaled down
        {L"BackgroundImage", 96, 764, 500},  // one column narrower than the art
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UniqueBitmap expected = PngImage::Load(c.name, c.dpi).Scaled(c.width, c.height);
        UniqueBitmap actual = PngImage::LoadScaled(c.name, c.dpi, c.width, c.height);
        ASSERT_TRUE(expected);
        ASSERT_TRUE(actual);
        DIBSECTION want{};
        DIBSECTION got{};
        ASSERT_NE(::GetObjectW(expected.get(), sizeof want, &want), 0);
        ASSERT_NE(::GetObjectW(actual.get(), sizeof got, &got), 0);
        ASSERT_EQ(got.dsBm.bmWidth, c.width);
        ASSERT_EQ(got.dsBm.bmHeight, c.height);
        EXPECT_EQ(std::memcmp(got.dsBm.bmBits, want.dsBm.bmBits,
                              static_cast<std::size_t>(c.width) * c.height * 4),
                  0);
    }
    EXPECT_FALSE(PngImage::LoadScaled(L"NoSuchPicture", 96, 10, 10));
}

// An opaque picture is copied, a picture with transparent pixels blended: both paint the art.
TEST(Picture, OpaqueArtIsCopiedAndTransparentArtBlended) {
    static constexpr LayoutRow rows[] = {
        {.name = L"Back",
         .kind = Kind::Picture,
         .rect = {0, 0, 764, 500},
         .picture = L"BackgroundImage"},
        {.name = L"Button",
         .kind = Kind::Picture,
         .rect = {10, 10, 78, 27},
         .picture = L"NavButton1"},
    };
    static constexpr FormDef def{.className = L"TkTestPictureForm",
                                 .name = L"PictureForm",
                                 .clientWidth = 764,
                                 .clientHeight = 500,
                                 .rows = rows};
    Form form(def);
    form.Create();
    ASSERT_NE(form.Handle(), nullptr);
    auto* back = form.Find<Picture>(L"Back");
    auto* button = form.Find<Picture>(L"Button");
    ASSERT_TRUE(back->HasImage());
    ASSERT_TRUE(button->HasImage());
    EXPECT_TRUE(back->IsOpaque());
    EXPECT_FALSE(button->IsOpaque());  // its corners are transparent

    // Painted over red: the opaque art covers it, the button's transparent corner shows it.
    const int width = Scale(764, form.Dpi());
    const int height = Scale(500, form.Dpi());
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    UniqueBitmap canvas(::CreateCompatibleBitmap(screen.get(), width, height));
    SelectedObject selected(memory.get(), canvas.get());
    UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
    const RECT all{0, 0, width, height};
    ::FillRect(memory.get(), &all, red.get());
    button->Paint(memory.get());
    const RECT box = button->Bounds();
    EXPECT_EQ(::GetPixel(memory.get(), box.right - 1, box.top), RGB(255, 0, 0));
    back->Paint(memory.get());
    UniqueBitmap art = PngImage::LoadScaled(L"BackgroundImage", form.Dpi(), width, height);
    DIBSECTION dib{};
    ASSERT_NE(::GetObjectW(art.get(), sizeof dib, &dib), 0);
    const auto* pixels = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    for (const POINT p : {POINT{0, 0}, POINT{width - 1, height - 1}, POINT{width / 2, 10}}) {
        const std::uint32_t argb = pixels[p.y * width + p.x];
        EXPECT_EQ(::GetPixel(memory.get(), p.x, p.y),
                  RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF));
    }
}

// A window made hidden to be shown later decodes its pictures at their first painting.
TEST(Picture, AWindowMadeToWaitDecodesItsPicturesWhenFirstPainted) {
    static constexpr LayoutRow rows[] = {
        {.name = L"Button",
         .kind = Kind::Picture,
         .rect = {10, 10, 78, 27},
         .picture = L"NavButton1"},
    };
    static constexpr FormDef def{.className = L"TkTestWaitingPictureForm",
                                 .name = L"WaitingPictureForm",
                                 .clientWidth = 200,
                                 .clientHeight = 100,
                                 .rows = rows,
                                 .picturesWhenPainted = true};
    Form form(def);
    form.Create();
    ASSERT_NE(form.Handle(), nullptr);
    auto* button = form.Find<Picture>(L"Button");
    EXPECT_FALSE(button->HasImage());
    form.Show();
    ::UpdateWindow(form.Handle());
    EXPECT_TRUE(button->HasImage());
    EXPECT_FALSE(button->IsOpaque());
    // Laid out again while shown (a new density), it decodes at once.
    button->ApplyDpi();
    EXPECT_TRUE(button->HasImage());
}

TEST_F(Toolkit, ProcessMessagesDispatchesWhatIsPendingAndReturns) {
    for (int i = 0; i < 3; ++i) {
        ::PostMessageW(form.Handle(), WM_NULL, 0, 0);
    }
    Application::Instance().ProcessMessages();
    MSG message{};
    EXPECT_FALSE(::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
}

}  // namespace
}  // namespace vt::win
