#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PngWriter.h"
#include "ui/Checksums.h"
#include "ui/Inflate.h"

namespace vt {
namespace {

using test::ByteVector;

ByteVector FromText(const std::string& text) {
    return ByteVector(text.begin(), text.end());
}

// Made once with Python's zlib (strategy Z_FIXED) from FixedText(): one fixed-Huffman block with
// long runs and lengths and distances that carry extra bits.
const ByteVector kFixedStream = {
    0x78, 0x01, 0x0B, 0x4B, 0xCD, 0xC9, 0x2F, 0x29, 0xCD, 0x4B, 0x55, 0x00, 0x11, 0xC5, 0x0A, 0x25,
    0x19, 0xA9, 0x0A, 0x45, 0xA9, 0xE9, 0x99, 0xC5, 0x25, 0x45, 0x95, 0x7A, 0x0A, 0x61, 0xA3, 0x92,
    0x94, 0x48, 0x56, 0x8C, 0x02, 0xA2, 0x41, 0x6A, 0x5E, 0x0A, 0x00, 0xD9, 0x6C, 0x10, 0xD3};

ByteVector FixedText() {
    std::string text;
    for (int i = 0; i < 12; ++i) {
        text += "Velotune tunes the registry. ";
    }
    return FromText(text + std::string(300, 'x') + "end");
}

// Made once with Python's zlib at level 9 from DynamicText(): one dynamic-Huffman block.
const ByteVector kDynamicStream = {
    0x78, 0xDA, 0x5D, 0x93, 0x4B, 0x6E, 0x05, 0x21, 0x0C, 0x04, 0xAF, 0xC2, 0x11, 0xF0, 0x0F, 0x06,
    0xCD, 0x69, 0x22, 0x25, 0x8B, 0x2C, 0x93, 0xA7, 0xDC, 0x3F, 0xF4, 0xAC, 0xA8, 0xB7, 0xC4, 0xB2,
    0xEC, 0xEA, 0xA6, 0xDD, 0xDB, 0xEB, 0xE7, 0xEF, 0xE3, 0xF7, 0xEB, 0xB3, 0x7D, 0xBF, 0x5A, 0xBF,
    0x9B, 0x9D, 0x6F, 0xBB, 0x9B, 0x9F, 0xEF, 0xBC, 0x5B, 0x9C, 0xEF, 0x75, 0xB7, 0x44, 0xFF, 0xB8,
    0x5B, 0x9D, 0x05, 0xAF, 0xBB, 0x8D, 0xB3, 0x10, 0xBB, 0x63, 0x62, 0xE4, 0x9E, 0x71, 0x9D, 0x85,
    0xB1, 0x97, 0xAC, 0xB3, 0x70, 0x6D, 0x0A, 0xEB, 0x58, 0xD3, 0x05, 0x4A, 0x52, 0x57, 0x17, 0x60,
    0x2D, 0xF7, 0x24, 0x0B, 0xF2, 0xED, 0x6D, 0x46, 0xE4, 0xB5, 0x89, 0x8C, 0xD0, 0xA2, 0xB6, 0x41,
    0x1D, 0xEA, 0x02, 0xB8, 0x5F, 0x9A, 0x05, 0xF4, 0x70, 0x6D, 0x5C, 0xD4, 0x2B, 0x0F, 0x41, 0x9F,
    0xA2, 0x77, 0xD0, 0x67, 0xAA, 0x8B, 0x56, 0x5F, 0x7B, 0x96, 0x83, 0xBE, 0x7C, 0x6F, 0x74, 0xD0,
    0xD7, 0xDC, 0x5C, 0x0E, 0xFA, 0x21, 0x7A, 0x07, 0xFD, 0x78, 0xBA, 0x40, 0x3F, 0x9F, 0x59, 0xA0,
    0x9F, 0xCF, 0x46, 0x5A, 0x2F, 0xAE, 0x00, 0xFD, 0x12, 0x7D, 0x80, 0x7E, 0x49, 0x63, 0xD0, 0xFB,
    0x2E, 0x2B, 0x82, 0xE6, 0x77, 0x39, 0x16, 0x74, 0xDF, 0x64, 0x6C, 0x14, 0xBF, 0x52, 0x0A, 0x62,
    0xB0, 0xA6, 0x6F, 0x0A, 0x48, 0xB0, 0xD0, 0x6F, 0xC6, 0xF5, 0xF6, 0xE7, 0xDA, 0x0B, 0x11, 0x56,
    0xCA, 0x46, 0x32, 0x41, 0x43, 0x32, 0x92, 0x11, 0x1A, 0x4A, 0x5A, 0x52, 0xC7, 0x54, 0x1C, 0x93,
    0x3A, 0x2E, 0x65, 0x36, 0xDF, 0x52, 0xA4, 0x60, 0x27, 0x63, 0xD4, 0xA5, 0x23, 0x99, 0x23, 0xD3,
    0x89, 0x24, 0x83, 0xE4, 0x5D, 0xF3, 0xA0, 0xC3, 0xA3, 0x6B, 0x2F, 0x74, 0x78, 0xF6, 0xCD, 0x57,
    0x9D, 0xB9, 0x94, 0x8E, 0x82, 0x0E, 0x1F, 0x4F, 0x1F, 0x74, 0xF8, 0xD4, 0xBC, 0x0A, 0x06, 0x58,
    0x7B, 0x0B, 0x3A, 0x7C, 0x3D, 0x27, 0x0C, 0x1D, 0xF1, 0xE8, 0x28, 0x9E, 0xB1, 0x49, 0x6F, 0xCD,
    0xB7, 0xF4, 0x6B, 0x1E, 0x2F, 0x22, 0xE4, 0x5F, 0xF1, 0x24, 0x52, 0x3E, 0xFF, 0x03, 0xB2, 0x9A,
    0x4E, 0x55};

ByteVector DynamicText() {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += std::to_string(i) + " squared is " + std::to_string(i * i) + "; ";
    }
    return FromText(text);
}

// Inflates into `room` bytes between guard bytes that must stay untouched.
struct Guarded {
    std::optional<std::size_t> result;
    ByteVector output;
};

constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kSentinel = 0xA5;

Guarded InflateGuarded(const ByteVector& stream, std::size_t room) {
    ByteVector buffer(kGuard + room + kGuard, kSentinel);
    Guarded out;
    out.result = InflateZlib(stream, std::span(buffer).subspan(kGuard, room));
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        if (i == kGuard) {
            i += room;
        }
        if (i < buffer.size()) {
            EXPECT_EQ(buffer[i], kSentinel) << "written outside the output at " << i;
        }
    }
    const auto start = buffer.begin() + static_cast<std::ptrdiff_t>(kGuard);
    out.output.assign(start, start + static_cast<std::ptrdiff_t>(room));
    if (out.result) {
        out.output.resize(*out.result);
    }
    return out;
}

TEST(Checksums, KnownValues) {
    EXPECT_EQ(Crc32(FromText("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(FromText("6789"), Crc32(FromText("12345"))), 0xCBF43926u);
    EXPECT_EQ(Adler32(FromText("Wikipedia")), 0x11E60398u);
    // Long enough that the sums are reduced several times on the way.
    EXPECT_EQ(Adler32(ByteVector(100000, 0xFF)), 0x149A302Cu);
}

TEST(Inflate, DecodesEveryKindOfBlock) {
    const ByteVector sixtyKilobytes = [] {
        ByteVector data(70000);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
        }
        return data;
    }();
    const ByteVector run = FromText("ab" + std::string(8, 'b') + "c");
    const struct {
        const char* name;
        ByteVector stream;
        ByteVector expected;
    } cases[] = {
        {"stored, one block", test::StoredZlib(FromText("stored")), FromText("stored")},
        {"stored, many blocks", test::StoredZlib(sixtyKilobytes, 1000), sixtyKilobytes},
        {"stored, largest blocks", test::StoredZlib(sixtyKilobytes), sixtyKilobytes},
        {"stored, empty", test::StoredZlib({}), {}},
        {"fixed", kFixedStream, FixedText()},
        {"dynamic", kDynamicStream, DynamicText()},
        // A copy that overlaps what it writes: distance 1, length 8.
        {"fixed by hand",
         test::FixedBlockWriter().Literal('a').Literal('b').Match(8, 1).Literal('c').Finish(run),
         run},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Guarded out = InflateGuarded(c.stream, c.expected.size() + 10);
        ASSERT_TRUE(out.result);
        EXPECT_EQ(out.output, c.expected);
    }
}

TEST(Inflate, RejectsDamagedStreams) {
    // Each header but the check one passes its check bits, so that only its own fault is seen.
    const auto header = [](std::uint8_t cmf, std::uint8_t flg) {
        ByteVector stream = kDynamicStream;
        stream[0] = cmf;
        stream[1] = flg;
        return stream;
    };
    ByteVector badAdler = kDynamicStream;
    badAdler.back() ^= 1;
    ByteVector badLength = test::StoredZlib(FromText("stored"));
    badLength[5] ^= 1;  // the complement no longer matches
    // Copies from before the output's start: were they read, they would find the guard bytes,
    // and the Adler-32 is that of what such a copy would make.
    const ByteVector guardCopy = {'a', 'b', kSentinel, 'a', 'b'};
    const ByteVector guardOnly = {kSentinel, kSentinel, kSentinel};
    const struct {
        const char* name;
        ByteVector stream;
    } cases[] = {
        {"not deflate", header(0x79, 0x18)},
        {"window above 32 KiB", header(0x88, 0x1C)},
        {"header check", header(0x78, 0xDB)},
        {"preset dictionary", header(0x78, 0xF9)},
        {"Adler-32", badAdler},
        {"stored length", badLength},
        {"reserved block type", ByteVector{0x78, 0x01, 0x07, 0, 0, 0, 0, 0, 0}},
        {"distance before the start",
         test::FixedBlockWriter().Literal('a').Literal('b').Match(3, 3).Finish(guardCopy)},
        {"distance at once", test::FixedBlockWriter().Match(3, 1).Finish(guardOnly)},
        {"empty", ByteVector{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(InflateGuarded(c.stream, 2000).result);
    }
}

TEST(Inflate, RejectsEveryTruncation) {
    for (const ByteVector& stream :
         {kFixedStream, kDynamicStream, test::StoredZlib(FromText("stored"), 2)}) {
        for (std::size_t size = 0; size < stream.size(); ++size) {
            SCOPED_TRACE(size);
            const ByteVector cut(stream.begin(),
                                 stream.begin() + static_cast<std::ptrdiff_t>(size));
            EXPECT_FALSE(InflateGuarded(cut, 2000).result);
        }
    }
}

TEST(Inflate, NeverWritesPastTheOutput) {
    // Each kind of block asks for one byte more than there is room for.
    const ByteVector dynamic = DynamicText();
    const ByteVector fixed = FixedText();
    const ByteVector stored = FromText("stored");
    EXPECT_FALSE(InflateGuarded(kDynamicStream, dynamic.size() - 1).result);
    EXPECT_FALSE(InflateGuarded(kFixedStream, fixed.size() - 1).result);
    EXPECT_FALSE(InflateGuarded(test::StoredZlib(stored), stored.size() - 1).result);
    EXPECT_FALSE(InflateGuarded(kDynamicStream, 0).result);
    // Exactly enough room is enough.
    EXPECT_EQ(InflateGuarded(kDynamicStream, dynamic.size()).result, dynamic.size());
}

TEST(Inflate, SurvivesEveryDamagedByte) {
    // Whatever one changed byte makes of the Huffman tables and codes, the result is a failure
    // or some output, never a read or write out of range (the guard and the sanitizers see).
    for (std::size_t at = 2; at < kDynamicStream.size() - 4; ++at) {
        for (std::uint8_t flip : {0x01, 0x10, 0xFF}) {
            ByteVector stream = kDynamicStream;
            stream[at] ^= flip;
            const Guarded out = InflateGuarded(stream, DynamicText().size());
            // The Adler-32 catches every change that still decodes to the full length.
            EXPECT_FALSE(out.result.has_value() && out.output != DynamicText())
                << "byte " << at << " ^ " << int{flip} << " went unnoticed";
        }
    }
}

}  // namespace
}  // namespace vt
