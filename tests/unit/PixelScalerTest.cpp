#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/PixelScaler.h"

namespace vt {
namespace {

using Pixels = std::vector<std::uint8_t>;

// Premultiplied BGRA pixels of one grey level and alpha each (b = g = r = level).
Pixels Greys(std::initializer_list<std::pair<int, int>> levelAndAlpha) {
    Pixels out;
    for (const auto& [level, alpha] : levelAndAlpha) {
        const auto l = static_cast<std::uint8_t>(level);
        out.insert(out.end(), {l, l, l, static_cast<std::uint8_t>(alpha)});
    }
    return out;
}

Pixels Scale(const Pixels& source, std::uint32_t sw, std::uint32_t sh, std::uint32_t w,
             std::uint32_t h) {
    Pixels target(std::size_t{w} * h * 4, 0xA5);
    EXPECT_TRUE(ScalePixels(source, sw, sh, target, w, h));
    return target;
}

TEST(PixelScaler, AveragesTheAreaEachPixelCovers) {
    const struct {
        const char* name;
        Pixels source;
        std::uint32_t sw, sh, w, h;
        Pixels expected;
    } cases[] = {
        {"same size is a copy", Greys({{1, 2}, {3, 4}}), 2, 1, 2, 1, Greys({{1, 2}, {3, 4}})},
        {"2x2 to 1x1", Greys({{10, 255}, {20, 255}, {30, 255}, {41, 255}}), 2, 2, 1, 1,
         Greys({{25, 255}})},  // 101 / 4 = 25.25
        {"rounds to the nearest", Greys({{1, 255}, {2, 255}}), 2, 1, 1, 1, Greys({{2, 255}})},
        // Each target pixel covers one and a half source pixels: 2/3 and 1/3 of its area.
        {"3 to 2 across", Greys({{30, 255}, {60, 255}, {90, 255}}), 3, 1, 2, 1,
         Greys({{40, 255}, {80, 255}})},
        {"3 to 2 down", Greys({{30, 255}, {60, 255}, {90, 255}}), 1, 3, 1, 2,
         Greys({{40, 255}, {80, 255}})},
        {"1 to 2 both ways", Greys({{7, 200}}), 1, 1, 2, 2,
         Greys({{7, 200}, {7, 200}, {7, 200}, {7, 200}})},
        {"2 to 4 across", Greys({{10, 255}, {50, 255}}), 2, 1, 4, 1,
         Greys({{10, 255}, {10, 255}, {50, 255}, {50, 255}})},
        // The middle target pixel lies half on each source pixel.
        {"2 to 3 across", Greys({{10, 255}, {50, 255}}), 2, 1, 3, 1,
         Greys({{10, 255}, {30, 255}, {50, 255}})},
        // Premultiplied: a transparent pixel adds nothing to the colour, only to the alpha.
        {"opaque beside transparent", Greys({{200, 255}, {0, 0}}), 2, 1, 1, 1, Greys({{100, 128}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Scale(c.source, c.sw, c.sh, c.w, c.h), c.expected);
    }
}

TEST(PixelScaler, OneColourStaysThatColourAtAnySize) {
    // If any target pixel's weights did not add up to its whole area, its colour would drift.
    const struct {
        std::uint32_t sw, sh, w, h;
    } sizes[] = {{765, 3, 764, 2}, {156, 54, 117, 41}, {78, 27, 98, 34}, {16, 16, 20, 20},
                 {7, 5, 3, 11},    {1, 1, 13, 9},      {13, 9, 1, 1}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.sw << "x" << s.sh << " to " << s.w << "x" << s.h);
        Pixels source;
        for (std::uint32_t i = 0; i < s.sw * s.sh; ++i) {
            source.insert(source.end(), {17, 99, 180, 201});
        }
        const Pixels target = Scale(source, s.sw, s.sh, s.w, s.h);
        for (std::size_t i = 0; i < target.size(); i += 4) {
            ASSERT_EQ(Pixels(target.begin() + i, target.begin() + i + 4),
                      (Pixels{17, 99, 180, 201}))
                << "pixel " << i / 4;
        }
    }
}

TEST(PixelScaler, PremultipliedPixelsStayValid) {
    // No colour may come out above its alpha, whatever the mix and the rounding.
    Pixels source;
    std::uint32_t state = 99;
    for (int i = 0; i < 9 * 7; ++i) {
        state = state * 1103515245u + 12345u;
        const auto alpha = static_cast<std::uint8_t>(state >> 16);
        source.insert(source.end(), {alpha, static_cast<std::uint8_t>(alpha / 2), alpha, alpha});
    }
    for (const auto& [w, h] : {std::pair{4u, 3u}, {5u, 5u}, {13u, 11u}, {2u, 9u}}) {
        const Pixels target = Scale(source, 9, 7, w, h);
        for (std::size_t i = 0; i < target.size(); i += 4) {
            EXPECT_LE(target[i], target[i + 3]);
            EXPECT_LE(target[i + 1], target[i + 3]);
            EXPECT_LE(target[i + 2], target[i + 3]);
        }
    }
}

TEST(PixelScaler, RefusesSizesThatDoNotMatchTheBuffers) {
    const Pixels source = Greys({{1, 1}, {2, 2}});
    Pixels target(8, 0xA5);
    EXPECT_FALSE(ScalePixels(source, 2, 1, target, 0, 2));
    EXPECT_FALSE(ScalePixels(source, 0, 1, target, 2, 1));
    EXPECT_FALSE(ScalePixels(source, 3, 1, target, 2, 1));  // the source is smaller than that
    EXPECT_FALSE(ScalePixels(source, 2, 1, target, 1, 1));  // the target is larger than that
    EXPECT_EQ(target, Pixels(8, 0xA5));
}

}  // namespace
}  // namespace vt
