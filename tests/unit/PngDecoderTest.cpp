#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/PngWriter.h"
#include "ui/PngDecoder.h"

namespace vt {
namespace {

using test::ByteVector;

constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kSentinel = 0xA5;

// Decodes into a buffer of exactly width * height * 4 bytes followed by guard bytes that must
// stay untouched, whether the decoder succeeds or not.
std::optional<ByteVector> DecodeGuarded(const ByteVector& file, std::size_t width,
                                        std::size_t height) {
    const std::size_t size = width * height * 4;
    ByteVector buffer(size + kGuard, kSentinel);
    const bool ok = DecodePng(file, std::span(buffer).first(size));
    for (std::size_t i = size; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], kSentinel) << "written past the pixels at " << i;
    }
    if (!ok) {
        return std::nullopt;
    }
    buffer.resize(size);
    return buffer;
}

// A whole file from unfiltered rows: every row with filter 0, in one stored block.
ByteVector SimplePng(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                     const ByteVector& rows, const ByteVector& palette = {},
                     const ByteVector& transparency = {}) {
    const std::size_t rowBytes = rows.size() / height;
    const int none[] = {0};
    test::PngParts parts;
    parts.header = test::PngHeaderData(width, height, depth, colourType);
    parts.palette = palette;
    parts.transparency = transparency;
    parts.zlib = test::StoredZlib(test::FilterRows(rows, rowBytes, 1, none));
    return test::MakePng(parts);
}

TEST(PngDecoder, EveryColourTypeGivesPremultipliedBgra) {
    const struct {
        const char* name;
        std::uint32_t width, height;
        int depth, colourType;
        ByteVector rows, palette, transparency, expected;
    } cases[] = {
        {"RGB", 2, 1, 8, 2, {10, 20, 30, 250, 128, 0}, {}, {}, {30, 20, 10, 255, 0, 128, 250, 255}},
        // 200 * 128 / 255 = 100.4; 128 * 127 / 255 = 63.75; 1 * 127 / 255 = 0.498;
        // 200 * 254 / 255 = 199.2.
        {"RGBA",
         3,
         2,
         8,
         6,
         {200, 100, 50, 128, 255, 255, 255, 0,   255, 200, 0,   254,  //
          1,   2,   3,  255, 255, 1,   128, 127, 255, 255, 255, 1},
         {},
         {},
         {25, 50, 100, 128, 0,  0, 0,   0,   0, 199, 254, 254,  //
          3,  2,  1,   255, 64, 0, 127, 127, 1, 1,   1,   1}},
        {"RGB with a colour key",
         2,
         1,
         8,
         2,
         {10, 20, 30, 10, 20, 31},
         {},
         {0, 10, 0, 20, 0, 30},
         {0, 0, 0, 0, 31, 20, 10, 255}},
        {"grey", 2, 1, 8, 0, {0, 77}, {}, {}, {0, 0, 0, 255, 77, 77, 77, 255}},
        {"grey with a key", 2, 1, 8, 0, {0, 77}, {}, {0, 77}, {0, 0, 0, 255, 0, 0, 0, 0}},
        // Two bits a sample: 0, 1, 2, 3 stand for 0, 85, 170, 255.
        {"grey, 2 bits",
         4,
         1,
         2,
         0,
         {0x1B},
         {},
         {},
         {0, 0, 0, 255, 85, 85, 85, 255, 170, 170, 170, 255, 255, 255, 255, 255}},
        {"grey and alpha", 1, 1, 8, 4, {200, 51}, {}, {}, {40, 40, 40, 51}},
        {"palette with alpha",
         3,
         1,
         8,
         3,
         {0, 1, 2},
         {255, 0, 0, 0, 255, 0, 0, 0, 255},
         {0, 128},
         {0, 0, 0, 0, 0, 128, 0, 128, 255, 0, 0, 255}},
        // Ten pixels of one bit: each row ends inside its second byte.
        {"palette, 1 bit, two rows",
         10,
         2,
         1,
         3,
         {0xB1, 0x80, 0x4E, 0x40},
         {0, 0, 0, 255, 255, 255},
         {},
         [] {
             ByteVector out;
             for (int bit : {1, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 1, 1, 1, 0, 0, 1}) {
                 const std::uint8_t v = bit != 0 ? 255 : 0;
                 out.insert(out.end(), {v, v, v, 255});
             }
             return out;
         }()},
        {"palette, 2 bits",
         5,
         1,
         2,
         3,
         {0xE4, 0xC0},
         {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4},
         {},
         {4, 4, 4, 255, 3, 3, 3, 255, 2, 2, 2, 255, 1, 1, 1, 255, 4, 4, 4, 255}},
        {"palette, 4 bits",
         3,
         1,
         4,
         3,
         {0x10, 0x10},
         {9, 8, 7, 1, 2, 3},
         {},
         {3, 2, 1, 255, 7, 8, 9, 255, 3, 2, 1, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ByteVector file =
            SimplePng(c.width, c.height, c.depth, c.colourType, c.rows, c.palette, c.transparency);
        EXPECT_EQ(DecodeGuarded(file, c.width, c.height), c.expected);
    }
}

// Bytes that make every filter's sums wrap around: a fixed sequence, not a random one.
ByteVector SampleBytes(std::size_t count) {
    ByteVector bytes(count);
    std::uint32_t state = 12345;
    for (std::uint8_t& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

TEST(PngDecoder, UndoesEveryFilter) {
    constexpr std::uint32_t kWidth = 5;
    constexpr std::uint32_t kHeight = 6;
    const std::vector<std::vector<int>> filterSets = {{0}, {1}, {2}, {3}, {4}, {4, 3, 2, 1, 0}};
    for (const int colourType : {2, 6}) {
        const std::size_t channels = colourType == 2 ? 3 : 4;
        ByteVector pixels = SampleBytes(kWidth * kHeight * channels);
        // Paeth's ties at pixel (1, 1): in the first channel b and c are equally near (b is
        // taken), in the second a and c (a is taken).
        const std::size_t below = kWidth * channels;
        for (const auto& [channel, a, b, c] : {std::array{0, 110, 80, 100}, {1, 80, 110, 100}}) {
            const auto at = static_cast<std::size_t>(channel);
            pixels[at] = static_cast<std::uint8_t>(c);
            pixels[channels + at] = static_cast<std::uint8_t>(b);
            pixels[below + at] = static_cast<std::uint8_t>(a);
        }
        ByteVector expected;
        for (std::size_t i = 0; i < pixels.size(); i += channels) {
            const std::uint32_t alpha = channels == 4 ? pixels[i + 3] : 255;
            for (const std::size_t c : {2, 1, 0}) {
                expected.push_back(static_cast<std::uint8_t>((pixels[i + c] * alpha + 127) / 255));
            }
            expected.push_back(static_cast<std::uint8_t>(alpha));
        }
        for (const std::vector<int>& filters : filterSets) {
            SCOPED_TRACE(testing::Message() << "colour type " << colourType << ", first filter "
                                            << filters.front() << " of " << filters.size());
            test::PngParts parts;
            parts.header = test::PngHeaderData(kWidth, kHeight, 8, colourType);
            parts.zlib = test::StoredZlib(
                test::FilterRows(pixels, kWidth * channels, channels, filters), 37);
            parts.dataChunks = 3;
            EXPECT_EQ(DecodeGuarded(test::MakePng(parts), kWidth, kHeight), expected);
        }
    }
}

TEST(PngDecoder, FiltersOfSmallSamplesLookBackOneByte) {
    // Palette indices of 2 bits, 7 a row: two bytes, the second partly used.
    const ByteVector rows = {0x1B, 0xE4, 0xE4, 0x1C, 0x6C, 0x90, 0xFF, 0xF0};
    const ByteVector palette = {0, 0, 0, 10, 10, 10, 20, 20, 20, 30, 30, 30};
    const ByteVector plain = *DecodeGuarded(SimplePng(7, 4, 2, 3, rows, palette), 7, 4);
    for (const int filter : {1, 2, 3, 4}) {
        SCOPED_TRACE(filter);
        const int filters[] = {filter};
        test::PngParts parts;
        parts.header = test::PngHeaderData(7, 4, 2, 3);
        parts.palette = palette;
        parts.zlib = test::StoredZlib(test::FilterRows(rows, 2, 1, filters));
        EXPECT_EQ(DecodeGuarded(test::MakePng(parts), 7, 4), plain);
    }
}

TEST(PngDecoder, SkipsAncillaryChunksAndReportsTheSize) {
    ByteVector file = SimplePng(2, 1, 8, 2, {1, 2, 3, 4, 5, 6});
    const ByteVector text = test::PngChunk("tEXt", ByteVector{'a', 0, 'b'});
    file.insert(file.end() - 12, text.begin(), text.end());
    EXPECT_EQ(DecodeGuarded(file, 2, 1), (ByteVector{3, 2, 1, 255, 6, 5, 4, 255}));
    const std::optional<PngSize> size = ReadPngSize(file);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 2u);
    EXPECT_EQ(size->height, 1u);
    const std::optional<PngPixels> own = DecodePng(file);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->bgra, (ByteVector{3, 2, 1, 255, 6, 5, 4, 255}));
}

// A good 4 x 3 RGBA picture and the ways it can be spoiled.
struct Spoiled {
    const char* name;
    ByteVector file;
};

ByteVector GoodRows() {
    return SampleBytes(3 * (1 + 4 * 4));
}  // filter bytes made 0 below

ByteVector Zeroed(ByteVector rows, std::size_t rowBytes) {
    for (std::size_t i = 0; i < rows.size(); i += rowBytes + 1) {
        rows[i] = 0;
    }
    return rows;
}

// Three rows of four indices into a palette of two colours, each led by filter 0.
ByteVector PaletteRows() {
    return {0, 1, 0, 1, 0, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0};
}

ByteVector Png(const ByteVector& header, const ByteVector& raw, const ByteVector& palette = {},
               const ByteVector& transparency = {}) {
    test::PngParts parts;
    parts.header = header;
    parts.palette = palette;
    parts.transparency = transparency;
    parts.zlib = test::StoredZlib(raw);
    return test::MakePng(parts);
}

std::vector<Spoiled> SpoiledFiles() {
    const ByteVector header = test::PngHeaderData(4, 3, 8, 6);
    const ByteVector raw = Zeroed(GoodRows(), 16);
    const ByteVector good = Png(header, raw);
    const ByteVector iend(good.end() - 12, good.end());
    std::vector<Spoiled> out;
    const auto spoil = [&](const char* name, auto change) {
        ByteVector file = good;
        change(file);
        out.push_back({name, file});
    };
    spoil("signature", [](ByteVector& f) { f[1] = 'p'; });
    // The data chunk's CRC-32 itself: nothing else would notice.
    spoil("CRC of the data chunk", [](ByteVector& f) { f[f.size() - 13] ^= 4; });
    spoil("no end chunk", [](ByteVector& f) { f.resize(f.size() - 12); });
    spoil("unknown critical chunk", [&](ByteVector& f) {
        const ByteVector chunk = test::PngChunk("ABCD", ByteVector{1});
        f.insert(f.end() - 12, chunk.begin(), chunk.end());
    });
    spoil("no data chunk", [](ByteVector& f) {
        const ByteVector start(f.begin(), f.begin() + 33);  // signature and IHDR
        const ByteVector end(f.end() - 12, f.end());
        f = start;
        f.insert(f.end(), end.begin(), end.end());
    });
    const auto withHeader = [&](const char* name, std::uint32_t w, std::uint32_t h, int depth,
                                int type, int interlace = 0) {
        out.push_back({name, Png(test::PngHeaderData(w, h, depth, type, interlace), raw)});
    };
    withHeader("wider than the limit", 16385, 1, 8, 6);
    withHeader("taller than the limit", 1, 16385, 8, 6);
    withHeader("no width", 0, 3, 8, 6);
    withHeader("interlaced", 4, 3, 8, 6, 1);
    withHeader("16 bits", 4, 3, 16, 6);
    withHeader("RGB of 4 bits", 4, 3, 4, 2);
    withHeader("colour type 5", 4, 3, 8, 5);

    ByteVector cut = test::StoredZlib(raw);
    cut.resize(cut.size() - 6);
    test::PngParts truncated;
    truncated.header = header;
    truncated.zlib = cut;
    out.push_back({"data stream cut short", test::MakePng(truncated)});
    ByteVector badAdler = test::StoredZlib(raw);
    badAdler.back() ^= 1;
    truncated.zlib = badAdler;
    out.push_back({"Adler-32", test::MakePng(truncated)});

    ByteVector longer = raw;
    longer.insert(longer.end(), raw.begin(), raw.begin() + 17);  // a whole row too many
    out.push_back({"more data than rows", Png(header, longer)});
    out.push_back({"one byte too many", Png(header, [&] {
                       ByteVector more = raw;
                       more.push_back(0);
                       return more;
                   }())});
    out.push_back({"one byte short", Png(header, ByteVector(raw.begin(), raw.end() - 1))});
    ByteVector badFilter = raw;
    badFilter[17] = 5;
    out.push_back({"filter type 5", Png(header, badFilter)});

    const ByteVector paletteHeader = test::PngHeaderData(4, 3, 8, 3);
    ByteVector indices = PaletteRows();
    indices.back() = 2;
    const ByteVector twoColours = {1, 2, 3, 4, 5, 6};
    const ByteVector inRange = PaletteRows();
    out.push_back({"palette index out of range", Png(paletteHeader, indices, twoColours)});
    out.push_back({"no palette", Png(paletteHeader, inRange)});
    out.push_back({"more alphas than colours", Png(paletteHeader, inRange, twoColours, {1, 2, 3})});
    out.push_back({"palette not of whole colours", Png(paletteHeader, inRange, {1, 2, 3, 4})});
    return out;
}

TEST(PngDecoder, RejectsDamagedAndUnsupportedFiles) {
    // The good file the spoiled ones come from decodes: each failure is its spoiling's.
    const ByteVector good = Png(test::PngHeaderData(4, 3, 8, 6), Zeroed(GoodRows(), 16));
    ASSERT_TRUE(DecodeGuarded(good, 4, 3));
    ASSERT_TRUE(DecodeGuarded(
        Png(test::PngHeaderData(4, 3, 8, 3), PaletteRows(), {1, 2, 3, 4, 5, 6}, {7, 8}), 4, 3));
    for (const Spoiled& s : SpoiledFiles()) {
        SCOPED_TRACE(s.name);
        EXPECT_FALSE(DecodeGuarded(s.file, 4, 3));
        EXPECT_FALSE(DecodePng(s.file));
    }
}

TEST(PngDecoder, TakesSidesUpToTheLimit) {
    // One-bit grey: a picture of the largest side stays small.
    const auto line = [](std::uint32_t width, std::uint32_t height) {
        const std::size_t rowBytes = (width + 7) / 8;
        return Png(test::PngHeaderData(width, height, 1, 0),
                   ByteVector(height * (rowBytes + 1), 0));
    };
    EXPECT_TRUE(DecodePng(line(kMaxPngSide, 1)));
    EXPECT_TRUE(DecodePng(line(1, kMaxPngSide)));
    EXPECT_FALSE(DecodePng(line(kMaxPngSide + 1, 1)));
    EXPECT_FALSE(DecodePng(line(1, kMaxPngSide + 1)));
    EXPECT_FALSE(ReadPngSize(line(kMaxPngSide + 1, 1)));
}

TEST(PngDecoder, RejectsEveryTruncationOfTheFile) {
    const ByteVector good = Png(test::PngHeaderData(4, 3, 8, 6), Zeroed(GoodRows(), 16));
    for (std::size_t size = 0; size < good.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(DecodeGuarded(
            ByteVector(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)), 4, 3));
    }
}

TEST(PngDecoder, RejectsABufferOfAnotherSize) {
    const ByteVector good = Png(test::PngHeaderData(4, 3, 8, 6), Zeroed(GoodRows(), 16));
    ByteVector small(4 * 3 * 4 - 4, kSentinel);
    ByteVector large(4 * 3 * 4 + 4, kSentinel);
    EXPECT_FALSE(DecodePng(good, small));
    EXPECT_FALSE(DecodePng(good, large));
    EXPECT_EQ(small, ByteVector(small.size(), kSentinel));
}

}  // namespace
}  // namespace vt
