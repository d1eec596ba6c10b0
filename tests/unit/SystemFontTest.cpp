#include <gtest/gtest.h>

#include "i18n/SystemFont.h"
#include "support/FakeForm.h"

namespace vt {
namespace {

using test::FakeForm;

constexpr std::uint32_t kGrey = 0x808080;

FontSpec Tahoma(int size, std::uint32_t style = 0, std::uint32_t color = 0) {
    return {L"Tahoma", size, style, color, 1};
}

// A window whose font is the icon-title font, with controls laid out in Tahoma.
class AdaptFontsTest : public ::testing::Test {
protected:
    AdaptFontsTest() { window.font = {L"Segoe UI", 9, 0, 0, 1}; }

    test::FakeComponent& Own(const wchar_t* name, std::optional<bool> parentFont,
                             std::optional<FontSpec> font) {
        test::FakeComponent& component = window.Add(name);
        component.parentFont = parentFont;
        component.font = std::move(font);
        return component;
    }

    FakeForm window{L"VTMainForm"};
};

TEST_F(AdaptFontsTest, LargeWindowFontIsCappedAndSmallFontsGrowToIt) {
    window.font = {L"Segoe UI", 12, font_style::kItalic, 0x123456, 1};
    auto& link = Own(L"LinkLabel4", false, Tahoma(8, 0, 0x000000));
    auto& nav = Own(L"NavLabel2", false, Tahoma(10, font_style::kBold, kGrey));
    auto& banner = Own(L"BannerLabel", false, Tahoma(12, font_style::kBold, 0xFFFFFF));

    AdaptFonts(window);

    EXPECT_EQ(window.font, (FontSpec{L"Segoe UI", 9, font_style::kItalic, 0x123456, 1}));
    EXPECT_EQ(link.font, (FontSpec{L"Segoe UI", 9, 0, 0x000000, 1}));
    EXPECT_EQ(nav.font, (FontSpec{L"Segoe UI", 10, font_style::kBold, kGrey, 1}));
    EXPECT_EQ(banner.font, (FontSpec{L"Segoe UI", 12, font_style::kBold, 0xFFFFFF, 1}));
}

TEST_F(AdaptFontsTest, SmallWindowFontStaysAndSetsTheFloor) {
    window.font = {L"Segoe UI", 7, 0, 0, 1};
    auto& small = Own(L"Small", false, Tahoma(6));
    auto& eight = Own(L"Eight", false, Tahoma(8));

    AdaptFonts(window);

    EXPECT_EQ(window.font.size, 7);
    EXPECT_EQ(small.font->size, 7);
    EXPECT_EQ(eight.font->size, 8);
}

TEST_F(AdaptFontsTest, ComponentsFollowingTheParentFontAreLeftAlone) {
    auto& follower = Own(L"Follower", true, Tahoma(8));
    AdaptFonts(window);
    EXPECT_EQ(follower.font, Tahoma(8));
}

TEST_F(AdaptFontsTest, OwnFontWithoutParentFontPropertyIsAdapted) {
    auto& noParentFont = Own(L"NoParentFont", std::nullopt, Tahoma(8, font_style::kUnderline));
    AdaptFonts(window);
    EXPECT_EQ(noParentFont.font, (FontSpec{L"Segoe UI", 9, font_style::kUnderline, 0, 1}));
}

TEST_F(AdaptFontsTest, ComponentsWithoutAFontArePassedOver) {
    auto& menuItem = Own(L"HelpFilePopup", false, std::nullopt);
    auto& image = Own(L"Logo", std::nullopt, std::nullopt);
    auto& after = Own(L"After", false, Tahoma(8));
    AdaptFonts(window);
    EXPECT_FALSE(menuItem.font.has_value());
    EXPECT_FALSE(image.font.has_value());
    EXPECT_EQ(after.font->face, L"Segoe UI");
}

TEST_F(AdaptFontsTest, AlreadyAdaptedLargerFontDoesNotChange) {
    const FontSpec adapted{L"Segoe UI", 10, font_style::kBold, kGrey, 1};
    auto& label = Own(L"NavLabel2", false, adapted);
    AdaptFonts(window);
    EXPECT_EQ(label.font, adapted);
}

TEST_F(AdaptFontsTest, WindowWithoutComponentsOnlyCapsItsFont) {
    window.font = {L"Segoe UI", 14, font_style::kBold, 7, 1};
    AdaptFonts(window);
    EXPECT_EQ(window.font, (FontSpec{L"Segoe UI", 9, font_style::kBold, 7, 1}));
}

TEST_F(AdaptFontsTest, RunningTwiceGivesTheSameResult) {
    window.font = {L"Segoe UI", 12, 0, 0, 1};
    Own(L"A", false, Tahoma(8));
    Own(L"B", true, Tahoma(8));
    Own(L"C", std::nullopt, Tahoma(11, font_style::kBold));
    AdaptFonts(window);
    const FontSpec windowOnce = window.font;
    std::vector<std::optional<FontSpec>> once;
    for (auto& component : window.components) {
        once.push_back(component->font);
    }
    AdaptFonts(window);
    EXPECT_EQ(window.font, windowOnce);
    for (std::size_t i = 0; i < once.size(); ++i) {
        EXPECT_EQ(window[i].font, once[i]) << i;
    }
}

}  // namespace
}  // namespace vt
