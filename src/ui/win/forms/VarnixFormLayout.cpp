#include "ui/win/forms/VarnixFormLayout.h"

#include "engine/WindowsVersion.h"

namespace vt::win {
namespace {

constexpr Colour kGrey = Rgb(128, 128, 128);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);

constexpr LayoutFont kTahoma8Black{L"Tahoma", 8, 0, kBlack};
constexpr LayoutFont kTahoma8White{L"Tahoma", 8, 0, kWhite};
constexpr LayoutFont kTahomaBold8White{L"Tahoma", 8, font_style::kBold, kWhite};
constexpr LayoutFont kTahomaBold10Grey{L"Tahoma", 10, font_style::kBold, kGrey};
constexpr LayoutFont kTahomaBold8{L"Tahoma", 8, font_style::kBold, kWindowTextColour};
constexpr LayoutFont kTahoma8Grey{L"Tahoma", 8, 0, kGrey};

// The edition and processor captions are the same in every language.
constexpr ComboItem kWindowsItems[] = {
    {kWindowsComboItems[0].caption, kWindowsComboItems[0].image},
    {kWindowsComboItems[1].caption, kWindowsComboItems[1].image},
    {kWindowsComboItems[2].caption, kWindowsComboItems[2].image},
    {kWindowsComboItems[3].caption, kWindowsComboItems[3].image},
    {kWindowsComboItems[4].caption, kWindowsComboItems[4].image},
    {kWindowsComboItems[5].caption, kWindowsComboItems[5].image},
    {kWindowsComboItems[6].caption, kWindowsComboItems[6].image},
    {kWindowsComboItems[7].caption, kWindowsComboItems[7].image},
    {kWindowsComboItems[8].caption, kWindowsComboItems[8].image},
};
constexpr ComboItem kProcessorItems[] = {
    {kProcessorComboItems[0], 0},
    {kProcessorComboItems[1], 0},
    {kProcessorComboItems[2], 0},
};
constexpr const wchar_t* kEditionImages[] = {L"ImageList1_0", L"ImageList1_1"};
constexpr const wchar_t* kProcessorImages[] = {L"ImageList2_0"};

constexpr LayoutRow Picture(const wchar_t* name, LayoutRect rect, int cursor = crDefault) {
    return {.name = name, .kind = Kind::Picture, .rect = rect, .cursor = cursor, .picture = name};
}

constexpr LayoutRow Label(const wchar_t* name, const wchar_t* parent, LayoutRect rect,
                          LayoutFont font = {}, std::uint32_t flags = kNoFlags,
                          int cursor = crDefault) {
    return {.name = name,
            .kind = Kind::Label,
            .parent = parent,
            .rect = rect,
            .font = font,
            .flags = flags,
            .cursor = cursor};
}

constexpr const wchar_t* kPanel = L"MainPanel";
constexpr const wchar_t* kBenefits = L"BenefitsPanel";

// In painting order: a later row lies above an earlier one.
constexpr LayoutRow kRows[] = {
    {.name = L"BackgroundImage",
     .kind = Kind::Picture,
     .rect = {0, 2, 764, 500},
     .picture = L"BackgroundImage"},
    Picture(L"TopLogoImage", {8, 16, 400, 50}),
    Picture(L"NavButton1", {672, 16, 78, 27}, crHandPoint),
    Label(L"NavLabel2", nullptr, {16, 98, 0, 0}, kTahomaBold10Grey),
    Label(L"LinkLabel4", nullptr, {16, 135, 0, 0}, kTahoma8Black, kNoFlags, crHandPoint),
    Label(L"LinkLabel5", nullptr, {16, 165, 0, 0}, kTahoma8Black, kNoFlags, crHandPoint),
    Label(L"LinkLabel6", nullptr, {16, 195, 0, 0}, kTahoma8Black, kNoFlags, crHandPoint),
    Label(L"LinkLabel7", nullptr, {16, 251, 0, 0}, kTahoma8Black, kNoFlags, crHandPoint),
    Picture(L"NavButton2", {471, 58, 85, 27}, crHandPoint),
    Picture(L"NavButton3", {556, 58, 108, 27}, crHandPoint),
    Picture(L"NavButton4", {664, 58, 99, 27}, crHandPoint),
    Label(L"NavStatic2", nullptr, {502, 64, 0, 0}, kTahomaBold8White, kNoFlags, crHandPoint),
    Label(L"NavStatic3", nullptr, {587, 64, 0, 0}, kTahomaBold8White, kNoFlags, crHandPoint),
    Label(L"NavStatic4", nullptr, {695, 64, 0, 0}, kTahomaBold8White, kNoFlags, crHandPoint),
    Label(L"NavStatic1", nullptr, {701, 22, 0, 0}, kTahoma8White, kNoFlags, crHandPoint),
    {.name = kPanel,
     .kind = Kind::Panel,
     .rect = {182, 91, 582, 388},
     .colour = kWindowColour,
     .tabOrder = 0},

    {.name = kBenefits,
     .kind = Kind::Panel,
     .parent = kPanel,
     .rect = {0, 0, 582, 65},
     .colour = kButtonFaceColour,
     .tabOrder = 6},
    Label(L"BenefitsLabel", kBenefits, {16, 6, 0, 0}, kTahomaBold8),
    Label(L"BenefitsDescription", kBenefits, {16, 25, 550, 36}, kTahoma8Grey,
          kFixedSize | kWordWrap | kCentreVertically | kNoPrefix),
    Label(L"OSVersionLabel", kPanel, {16, 76, 0, 0}),
    {.name = L"ImageList1",
     .kind = Kind::ImageList,
     .rect = {0, 0, 16, 16},
     .pictures = kEditionImages},
    {.name = L"ImageList2",
     .kind = Kind::ImageList,
     .rect = {0, 0, 16, 16},
     .pictures = kProcessorImages},
    {.name = L"WindowsCombo",
     .kind = Kind::ImageCombo,
     .parent = kPanel,
     .rect = {16, 95, 309, 22},
     .tabOrder = 2,
     .imageList = L"ImageList1",
     .items = kWindowsItems},
    Label(L"ProcessorTypeLabel", kPanel, {16, 134, 0, 0}),
    {.name = L"ProcessorCombo",
     .kind = Kind::ImageCombo,
     .parent = kPanel,
     .rect = {16, 153, 309, 22},
     .tabOrder = 3,
     .imageList = L"ImageList2",
     .items = kProcessorItems},
    Label(L"SpeedLabel", kPanel, {16, 192, 0, 0}),
    {.name = L"SpeedTrackBar",
     .kind = Kind::TrackBar,
     .parent = kPanel,
     .rect = {16, 211, 309, 55},
     .tabOrder = 4,
     .rangeMin = 0,
     .rangeMax = 1,
     .pageSize = 1,
     .thumbLength = 33},
    Label(L"FastLabel", kPanel, {33, 270, 0, 0}),
    // Right-aligned: its right edge stays at 307 and it grows to the left.
    Label(L"FasterLabel", kPanel, {227, 270, 80, 13}, {}, kAlignRight),
    {.name = L"LineSeparator1", .kind = Kind::Bevel, .parent = kPanel, .rect = {360, 102, 2, 183}},
    {.name = L"GoButton",
     .kind = Kind::PushButton,
     .parent = kPanel,
     .rect = {400, 95, 145, 52},
     .font = kTahomaBold8,
     .flags = kDefaultButton,
     .tabOrder = 0},
    {.name = L"RestoreButton",
     .kind = Kind::PushButton,
     .parent = kPanel,
     .rect = {400, 171, 145, 25},
     .flags = kDisabled,
     .tabOrder = 1},
    {.name = L"LineSeparator2",
     .kind = Kind::Bevel,
     .parent = kPanel,
     .rect = {16, 315, 536, 5},
     .flags = kEdgeTop},
    Label(L"VersionInstalledLabel", kPanel, {16, 336, 0, 0}, kTahomaBold8),
    Label(L"SoftwareLastUpdateLabel", kPanel, {16, 355, 0, 0}),
    {.name = L"UpdatesButton",
     .kind = Kind::PushButton,
     .parent = kPanel,
     .rect = {400, 336, 154, 33},
     .flags = kShield,
     .tabOrder = 5},

    {.name = L"PopupMenu", .kind = Kind::PopupMenu},
    {.name = L"HelpFilePopup", .kind = Kind::MenuItem, .parent = L"PopupMenu"},
    {.name = L"N1", .kind = Kind::MenuItem, .parent = L"PopupMenu", .flags = kSeparator},
    {.name = L"TechSupportPopup", .kind = Kind::MenuItem, .parent = L"PopupMenu"},
};

constexpr FormDef kMainForm{.className = L"TVTMainForm",
                            .name = L"VTMainForm",
                            .clientWidth = 764,
                            .clientHeight = 500,
                            .border = BorderStyle::Single,
                            .titleButtons = kSystemMenu | kMinimizeButton,
                            .position = Position::ScreenCentre,
                            .colour = kButtonFaceColour,
                            .icon = L"MAINICON",
                            .activeControl = L"GoButton",
                            .rows = kRows};

}  // namespace

const FormDef& MainFormDefinition() noexcept {
    return kMainForm;
}

}  // namespace vt::win
