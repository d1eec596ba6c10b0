#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vt {

// Turns 8-bit text without a byte-order mark into wide text: the system's ANSI code page on
// Windows, code page 1252 where there is none.
using AnsiDecoder = std::wstring (*)(std::string_view bytes);

std::wstring DecodeCp1252(std::string_view bytes);
// Malformed sequences become U+FFFD.
std::wstring DecodeUtf8(std::string_view bytes);

// A language table's text, its encoding told by the byte-order mark (UTF-8, UTF-16LE, UTF-16BE),
// else 8-bit text for `ansi`. The mark is not part of the text; an odd last byte of UTF-16 is
// dropped and lone surrogates become U+FFFD.
std::wstring DecodeTableText(std::span<const std::uint8_t> bytes, AnsiDecoder ansi);

}  // namespace vt
