#include "i18n/TextDecoding.h"

#include <algorithm>
#include <array>

#include "registry/Utf16.h"

namespace vt {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// 0x80 to 0x9F of code page 1252; the five unassigned bytes keep their own value, as Windows does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

void AppendCodePoint(std::u16string& out, char32_t code) {
    if (code >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
}

const std::array<std::uint8_t, 3> kUtf8Mark = {0xEF, 0xBB, 0xBF};
const std::array<std::uint8_t, 2> kUtf16LeMark = {0xFF, 0xFE};
const std::array<std::uint8_t, 2> kUtf16BeMark = {0xFE, 0xFF};

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& mark) {
    return bytes.size() >= N && std::equal(mark.begin(), mark.end(), bytes.begin());
}

std::string_view AsChars(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

std::wstring DecodeCp1252(std::string_view bytes) {
    std::wstring out(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        out[i] =
            static_cast<wchar_t>(byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
    }
    return out;
}

std::wstring DecodeUtf8(std::string_view bytes) {
    std::u16string units;
    units.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i++]);
        if (lead < 0x80) {
            units.push_back(lead);
            continue;
        }
        std::size_t count = 0;
        char32_t code = 0;
        std::uint8_t low = 0x80;   // range of the first continuation byte: no overlongs,
        std::uint8_t high = 0xBF;  // no surrogates, nothing above U+10FFFF
        if (lead >= 0xC2 && lead <= 0xDF) {
            count = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            count = 2;
            code = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            count = 3;
            code = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            units.push_back(kReplacement);
            continue;
        }
        bool valid = true;
        for (std::size_t n = 0; n < count; ++n) {
            if (i >= bytes.size()) {
                valid = false;
                break;
            }
            const auto byte = static_cast<std::uint8_t>(bytes[i]);
            if (n == 0 ? (byte < low || byte > high) : !IsContinuation(byte)) {
                valid = false;
                break;
            }
            code = (code << 6) | (byte & 0x3F);
            ++i;
        }
        if (valid) {
            AppendCodePoint(units, code);
        } else {
            units.push_back(kReplacement);
        }
    }
    return FromUtf16(units);
}

std::wstring DecodeTableText(std::span<const std::uint8_t> bytes, AnsiDecoder ansi) {
    if (StartsWith(bytes, kUtf8Mark)) {
        return DecodeUtf8(AsChars(bytes.subspan(kUtf8Mark.size())));
    }
    if (StartsWith(bytes, kUtf16LeMark)) {
        const auto body = bytes.subspan(kUtf16LeMark.size());
        return FromUtf16(Utf16FromBytesLE(body.data(), body.size()));
    }
    if (StartsWith(bytes, kUtf16BeMark)) {
        const auto body = bytes.subspan(kUtf16BeMark.size());
        std::u16string units(body.size() / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i) {
            units[i] = static_cast<char16_t>((body[2 * i] << 8) | body[2 * i + 1]);
        }
        return FromUtf16(units);
    }
    return ansi(AsChars(bytes));
}

}  // namespace vt
