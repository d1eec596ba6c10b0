#pragma once

// How a window is declared
// ------------------------
// A window is data: one FormDef and a constexpr table of LayoutRow, in ownership order (which is
// also the painting order of the windowless controls: later rows lie above earlier ones).
//
//     constexpr LayoutFont kTahomaBold8{L"Tahoma", 8, font_style::kBold, kWindowTextColour};
//     constexpr LayoutRow kRows[] = {
//         {.name = L"MainPanel", .kind = Kind::Panel, .rect = {182, 91, 582, 388},
//          .colour = kWindowColour, .tabOrder = 0},
//         {.name = L"GoButton", .kind = Kind::PushButton, .parent = L"MainPanel",
//          .rect = {400, 95, 145, 52}, .font = kTahomaBold8, .flags = kDefaultButton,
//          .tabOrder = 0},
//     };
//     constexpr FormDef kWindow{.className = L"TMyForm", .name = L"MyForm",
//                               .clientWidth = 764, .clientHeight = 500, .rows = kRows};
//
// Then `Form form(kWindow);`, bind events (`form.Find<PushButton>(L"GoButton")->OnClick = ...`,
// `form.OnShow = ...`) and `form.Show()`. Rectangles and font sizes are those of 96 DPI; the form
// scales them to its monitor. A row without a font face takes its parent's font (ParentFont).
// Labels have no size of their own unless kFixedSize is given. Pictures and image lists name PNG
// resources of type "PNG"; above 120 DPI the resource NAME_2X (twice the size) is taken when it
// exists. See Form.h for showing, closing and events.

#include <cstdint>
#include <span>

#include "i18n/FormModel.h"
#include "ui/win/Colours.h"

namespace vt::win {

enum class Kind : std::uint8_t {
    Panel,        // a container with a colour of its own, no bevel
    Label,        // transparent text, a real STATIC window
    Picture,      // a PNG stretched to its box, painted by its container
    PushButton,   // BUTTON
    ImageCombo,   // ComboBoxEx32, drop-down list with images
    TrackBar,     // msctls_trackbar32, horizontal, ticks on both sides
    ProgressBar,  // msctls_progress32, smooth
    Bevel,        // an etched line along one edge of its box, painted by its container
    Memo,         // read-only multi-line EDIT with a vertical scroll bar and word wrap
    ImageList,    // not visual: images of rect.w x rect.h from `pictures`
    PopupMenu,    // not visual: its MenuItem rows name it as parent
    MenuItem,     // a command of a PopupMenu; kSeparator makes a line
};

// Row flags.
enum : std::uint32_t {
    kNoFlags = 0,
    kDefaultButton = 1u << 0,  // Enter presses it
    kDisabled = 1u << 1,
    kFillParent = 1u << 2,  // covers the whole client area of its parent
    kAlignRight = 1u << 3,  // a label grows to the left: its right edge (rect.x + rect.w) stays
    kWordWrap = 1u << 4,    // a label breaks lines at words within its width
    kCentreVertically = 1u << 5,
    kNoPrefix = 1u << 6,    // "&" shows as itself
    kFixedSize = 1u << 7,   // a label keeps its laid-out size
    kShield = 1u << 8,      // a push button shows the elevation shield
    kEdgeTop = 1u << 9,     // a bevel's line along the top edge (default: the right edge)
    kSeparator = 1u << 10,  // a menu item that is a separator line
    kHidden = 1u << 11,
    kBorder = 1u << 12,  // a memo with a sunken border
};

// Cursor numbers of the screen's cursor table.
enum CursorId : int {
    crDefault = 0,
    crArrow = -2,
    crHourGlass = -11,
    crHandPoint = -21,
};

struct LayoutRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// A font as laid out: size in points; no face means the parent's font (ParentFont).
struct LayoutFont {
    const wchar_t* face = nullptr;
    int size = 8;
    std::uint32_t style = 0;
    Colour colour = kWindowTextColour;
};

struct ComboItem {
    const wchar_t* caption = L"";
    int image = -1;
};

struct LayoutRow {
    const wchar_t* name = L"";
    Kind kind = Kind::Panel;
    const wchar_t* parent = nullptr;  // a Panel or PopupMenu row; nullptr: the form
    LayoutRect rect{};
    LayoutFont font{};
    Colour colour = kNoColour;  // a panel's background
    std::uint32_t flags = kNoFlags;
    int tabOrder = -1;  // -1: not a tab stop
    int cursor = crDefault;
    const wchar_t* picture = nullptr;            // Picture: resource name
    const wchar_t* imageList = nullptr;          // ImageCombo: the ImageList row it shows
    std::span<const wchar_t* const> pictures{};  // ImageList: resource names
    std::span<const ComboItem> items{};          // ImageCombo
    int rangeMin = 0;                            // TrackBar, ProgressBar
    int rangeMax = 100;
    int pageSize = 1;     // TrackBar
    int thumbLength = 0;  // TrackBar, at 96 DPI; 0: the control's own
};

enum class BorderStyle : std::uint8_t { Single, None };
enum class Position : std::uint8_t { ScreenCentre, OwnerCentre };

// Title-bar buttons.
enum : std::uint32_t {
    kNoTitleButtons = 0,
    kSystemMenu = 1u << 0,  // the system menu and the close button
    kMinimizeButton = 1u << 1,
    kMaximizeButton = 1u << 2,
};

struct FormDef {
    const wchar_t* className = L"";
    const wchar_t* name = L"";  // component name, also the section of the language table
    int clientWidth = 0;        // at 96 DPI
    int clientHeight = 0;
    BorderStyle border = BorderStyle::Single;
    std::uint32_t titleButtons = kSystemMenu;
    Position position = Position::ScreenCentre;
    Colour colour = kButtonFaceColour;
    bool doubleBuffered = false;  // forms and panels paint through an off-screen bitmap
    int cursor = crDefault;
    const wchar_t* icon = nullptr;           // icon resource of the title bar and taskbar button
    const wchar_t* activeControl = nullptr;  // first focus; nullptr: the first tab stop
    std::span<const LayoutRow> rows{};
    // Pictures decoded when first painted, not when the window is made: for a window made
    // hidden at start-up and shown later, if ever.
    bool picturesWhenPainted = false;
};

}  // namespace vt::win
