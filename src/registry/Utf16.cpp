#include "registry/Utf16.h"

namespace vt {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::wstring FromUtf16(std::u16string_view text) {
    std::wstring out;
    out.reserve(text.size());
    if constexpr (sizeof(wchar_t) == 2) {
        for (char16_t unit : text) {
            out.push_back(static_cast<wchar_t>(unit));
        }
    } else {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char32_t unit = text[i];
            if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
                const char32_t low = text[++i];
                out.push_back(
                    static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
            } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
                out.push_back(static_cast<wchar_t>(kReplacement));
            } else {
                out.push_back(static_cast<wchar_t>(unit));
            }
        }
    }
    return out;
}

std::u16string ToUtf16(std::wstring_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        const auto code = static_cast<char32_t>(ch);
        if constexpr (sizeof(wchar_t) == 2) {
            out.push_back(static_cast<char16_t>(code));
        } else if (code >= 0x10000 && code <= 0x10FFFF) {
            out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else if (code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) {
            out.push_back(static_cast<char16_t>(kReplacement));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

std::u16string Utf16FromBytesLE(const std::uint8_t* data, std::size_t size) {
    std::u16string out(size / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return out;
}

Bytes ToRegSzBytes(std::wstring_view text) {
    const std::u16string units = ToUtf16(text);
    Bytes bytes;
    bytes.reserve(2 * (units.size() + 1));
    for (char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

}  // namespace vt
