#include <gtest/gtest.h>

#include "registry/Utf16.h"

namespace vt {
namespace {

TEST(Utf16, SurrogatePairsRoundTrip) {
    const std::u16string units = {u'A', 0xD83C, 0xDFAE, u'\xAC00'};  // A, game controller, Hangul
    const std::wstring wide = FromUtf16(units);
    EXPECT_EQ(wide.size(), sizeof(wchar_t) == 2 ? 4u : 3u);
    EXPECT_EQ(ToUtf16(wide), units);
}

TEST(Utf16, LoneSurrogatesNeverCrash) {
    const std::u16string units = {0xDC00, u'x', 0xD800};
    const std::wstring wide = FromUtf16(units);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[1], L'x');
}

TEST(Utf16, OddByteCountDropsTheLastByte) {
    const std::uint8_t bytes[] = {'h', 0, 'i', 0, 'X'};
    EXPECT_EQ(Utf16FromBytesLE(bytes, sizeof bytes), u"hi");
}

TEST(Utf16, RegSzBytesCarryTheTerminatingNul) {
    EXPECT_EQ(ToRegSzBytes(L"Ab"), (Bytes{'A', 0, 'b', 0, 0, 0}));
    EXPECT_EQ(ToRegSzBytes(L""), (Bytes{0, 0}));
}

}  // namespace
}  // namespace vt
