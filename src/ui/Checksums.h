#pragma once

#include <cstdint>
#include <span>

namespace vt {

// CRC-32 as PNG chunks carry it (ISO 3309); `crc` continues an earlier result.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0) noexcept;

// Adler-32 as a zlib stream ends with it; `adler` continues an earlier result.
std::uint32_t Adler32(std::span<const std::uint8_t> bytes, std::uint32_t adler = 1) noexcept;

}  // namespace vt
