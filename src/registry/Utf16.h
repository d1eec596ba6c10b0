#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "registry/RegistryTypes.h"

namespace vt {

// wchar_t is UTF-16 on Windows and UTF-32 on Linux; the registry and the language tables are
// UTF-16. Lone surrogates become U+FFFD on a UTF-32 platform.
std::wstring FromUtf16(std::u16string_view text);
std::u16string ToUtf16(std::wstring_view text);

// Little-endian UTF-16 bytes; an odd last byte is ignored.
std::u16string Utf16FromBytesLE(const std::uint8_t* data, std::size_t size);
// The text as stored in a REG_SZ: little-endian UTF-16 with its terminating NUL.
Bytes ToRegSzBytes(std::wstring_view text);

}  // namespace vt
