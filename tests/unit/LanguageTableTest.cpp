#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/LanguageTable.h"
#include "i18n/TextDecoding.h"

namespace vt {
namespace {

using Fields = std::vector<std::wstring>;

TEST(LanguageTableFields, SplitByTheTableRules) {
    struct Case {
        const wchar_t* line;
        Fields fields;
    };
    const Case cases[] = {
        {L"VTMainForm, GoButton", {L"VTMainForm", L"GoButton"}},
        {L"VTMainForm,GoButton,\"&Optimize now\"", {L"VTMainForm", L"GoButton", L"&Optimize now"}},
        // Unquoted, a blank ends the field: the text falls apart.
        {L"VTMainForm,GoButton,Optimize now", {L"VTMainForm", L"GoButton", L"Optimize"}},
        {L"  \ta \x01\x1F b", {L"a", L"b"}},
        {L"a,,b", {L"a", L"", L"b"}},
        {L",a", {L"", L"a"}},
        {L"a,", {L"a", L""}},
        {L"a,b,", {L"a", L"b", L""}},
        {L"a, ", {L"a"}},  // the comma is not the last character
        {L"a , b", {L"a", L"b"}},
        {L"s,k,\"x, y \"", {L"s", L"k", L"x, y "}},
        {L"s,k,\" lead and trail \"", {L"s", L"k", L" lead and trail "}},
        {L"s,k,\"Click OK to continue.\" ", {L"s", L"k", L"Click OK to continue."}},
        {L"s,k,\"say \"\"hi\"\"\"", {L"s", L"k", L"say \"hi\""}},
        {L"\"\"\"\"", {L"\""}},
        {L"\"\"", {L""}},
        {L"\"abc\"def", {L"abc", L"def"}},
        {L"\"abc\"  ,d", {L"abc", L"d"}},
        {L"\"abc\" \"d\"", {L"abc", L"d"}},
        {L"s,k,\"unterminated, text", {L"s", L"k", L"unterminated, text"}},
        {L"a,b,c,d,e", {L"a", L"b", L"c"}},              // later fields are never read
        {L"\"a\"\"b\",\"c\"\"\"", {L"a\"b", L"c\""}},    // each undone in turn
        {L"a\u00A0b,\u3000", {L"a\u00A0b", L"\u3000"}},  // only codes 1 to 32 separate
        {L"   ", {}},
        {L"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << '[' << c.line << ']');
        EXPECT_EQ(SplitFields(c.line), c.fields);
        // One at a time, each field is the same while it is looked at.
        FieldReader reader(c.line);
        for (const std::wstring& expected : c.fields) {
            const std::optional<std::wstring_view> field = reader.Next();
            ASSERT_TRUE(field.has_value());
            EXPECT_EQ(*field, expected);
        }
        if (c.fields.size() < 3) {
            EXPECT_FALSE(reader.Next().has_value());
        }
    }
}

TEST(LanguageTableFields, NulIsAnOrdinaryCharacter) {
    const std::wstring line(L"a\0b,\"c\0\"", 8);
    EXPECT_EQ(SplitFields(line), (Fields{std::wstring(L"a\0b", 3), std::wstring(L"c\0", 2)}));
}

TEST(LanguageTableLines, EndAtAnyLineBreakAndSkipEmptyLines) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring_view> lines;
    };
    const Case cases[] = {
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\rb", {L"a", L"b"}},
        {L"a\nb", {L"a", L"b"}},
        {L"a\n\rb", {L"a", L"b"}},
        {L"a\r\n\r\nb", {L"a", L"b"}},
        {L"a\r\r\n\nb", {L"a", L"b"}},
        {L"a\r\n", {L"a"}},
        {L"\r\n\n\r", {}},
        {L"", {}},
        {L" \r\nb ", {L" ", L"b "}},  // a line of blanks is not empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << '[' << c.text << ']');
        EXPECT_EQ(SplitLines(c.text), c.lines);
    }
}

using ByteList = std::vector<std::uint8_t>;

TEST(TableDecoding, EncodingFollowsTheByteOrderMark) {
    struct Case {
        const char* what;
        ByteList bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"UTF-8", {0xEF, 0xBB, 0xBF, 'a', 0xEA, 0xB0, 0x80, 0xC2, 0xA9}, L"a\uAC00\u00A9"},
        {"UTF-16LE", {0xFF, 0xFE, 'a', 0, 0x00, 0xAC}, L"a\uAC00"},
        {"UTF-16BE", {0xFE, 0xFF, 0, 'a', 0xAC, 0x00}, L"a\uAC00"},
        {"1252",
         {'a', 0xA9, 0xAE, 0x80, 0x81, 0x9F, 0xFF},
         L"a\u00A9\u00AE\u20AC\u0081\u0178\u00FF"},
        {"UTF-16LE, odd length", {0xFF, 0xFE, 'a', 0, 'b'}, L"a"},
        {"UTF-16BE, odd length", {0xFE, 0xFF, 0, 'a', 0}, L"a"},
        {"UTF-8 mark alone", {0xEF, 0xBB, 0xBF}, L""},
        {"part of a UTF-8 mark", {0xEF, 0xBB}, L"\u00EF\u00BB"},
        {"nothing", {}, L""},
        {"UTF-16LE surrogate pair",
         {0xFF, 0xFE, 0x3C, 0xD8, 0xAE, 0xDF},
         sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD83C), wchar_t(0xDFAE)}
                              : std::wstring(1, wchar_t(0x1F3AE))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecodeTableText(c.bytes, &DecodeCp1252), c.text);
    }
}

TEST(TableDecoding, UnmarkedTextGoesToTheAnsiDecoder) {
    static std::string seen;
    const AnsiDecoder spy = [](std::string_view bytes) {
        seen = bytes;
        return std::wstring(L"decoded");
    };
    const ByteList bytes = {'x', 0xFE, 'y'};
    EXPECT_EQ(DecodeTableText(bytes, spy), L"decoded");
    EXPECT_EQ(seen, "x\xFEy");
}

TEST(TableDecoding, MalformedUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* what;
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"stray continuation", "a\x80z", L"a\uFFFDz"},
        {"overlong", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"truncated at the end", "a\xEA\xB0", L"a\uFFFD"},
        {"truncated before ASCII", "\xEA\xB0z", L"\uFFFDz"},
        {"invalid lead", "\xFF", L"\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecodeUtf8(c.bytes), c.text);
    }
}

}  // namespace
}  // namespace vt
