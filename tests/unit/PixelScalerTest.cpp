#include <gtest/gtest.h>

#include <algorithm>
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

// `count` opaque grey pixels alternating between two levels.
Pixels Alternating(int count, int first, int second) {
    Pixels out;
    for (int i = 0; i < count; ++i) {
        const auto l = static_cast<std::uint8_t>(i % 2 == 0 ? first : second);
        out.insert(out.end(), {l, l, l, 255});
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
        {"a half over six pixels rounds up",
         Greys({{1, 9}, {2, 9}, {1, 9}, {2, 9}, {1, 9}, {2, 9}}), 1, 6, 1, 1, Greys({{2, 9}})},
        // 147 / 98 is 1.5, which 147 times the reciprocal of 98 in doubles falls just short of.
        {"a half over 98 pixels rounds up", Alternating(98, 1, 2), 1, 98, 1, 1, Greys({{2, 255}})},
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

// The overlap of [begin, begin + length) and [at, at + other), all in whole units.
std::uint64_t Overlap(std::uint64_t begin, std::uint64_t length, std::uint64_t at,
                      std::uint64_t other) {
    const std::uint64_t end = std::min(begin + length, at + other);
    const std::uint64_t start = std::max(begin, at);
    return end > start ? end - start : 0;
}

TEST(PixelScaler, MatchesTheExactAreaAverage) {
    // Every target pixel against the plain definition: each source pixel weighted by the area
    // it shares with the target pixel (target x spans [x * sw, (x + 1) * sw) in units of 1/w of
    // a source pixel), the total divided by the area and rounded to the nearest, halves up.
    std::uint32_t state = 7;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<std::uint8_t>(state >> 16);
    };
    const struct {
        std::uint32_t sw, sh, w, h;
    } sizes[] = {{5, 4, 3, 3}, {6, 6, 4, 9}, {7, 3, 10, 2}, {12, 10, 8, 6},
                 {3, 5, 3, 2}, {7, 3, 5, 3}, {5, 4, 9, 4}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.sw << "x" << s.sh << " to " << s.w << "x" << s.h);
        Pixels source(std::size_t{s.sw} * s.sh * 4);
        for (auto& byte : source) {
            byte = next();
        }
        const Pixels target = Scale(source, s.sw, s.sh, s.w, s.h);
        const std::uint64_t area = std::uint64_t{s.sw} * s.sh;
        for (std::uint32_t y = 0; y < s.h; ++y) {
            for (std::uint32_t x = 0; x < s.w; ++x) {
                for (std::size_t c = 0; c < 4; ++c) {
                    std::uint64_t total = 0;
                    for (std::uint32_t j = 0; j < s.sh; ++j) {
                        for (std::uint32_t i = 0; i < s.sw; ++i) {
                            total += Overlap(std::uint64_t{x} * s.sw, s.sw, std::uint64_t{i} * s.w,
                                             s.w) *
                                     Overlap(std::uint64_t{y} * s.sh, s.sh, std::uint64_t{j} * s.h,
                                             s.h) *
                                     source[(std::size_t{j} * s.sw + i) * 4 + c];
                        }
                    }
                    EXPECT_EQ(target[(std::size_t{y} * s.w + x) * 4 + c],
                              (2 * total + area) / (2 * area))
                        << "pixel " << x << "," << y << " channel " << c;
                }
            }
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
