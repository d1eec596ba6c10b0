#include "ui/Checksums.h"

#include <array>

namespace vt {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) noexcept {
    crc = ~crc;
    for (std::uint8_t byte : bytes) {
        crc = kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes, std::uint32_t adler) noexcept {
    constexpr std::uint32_t kBase = 65521;
    // The largest run whose sums cannot overflow 32 bits before they are reduced.
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = adler & 0xFFFF;
    std::uint32_t b = adler >> 16;
    while (!bytes.empty()) {
        const std::size_t run = bytes.size() < kRun ? bytes.size() : kRun;
        for (std::uint8_t byte : bytes.first(run)) {
            a += byte;
            b += a;
        }
        a %= kBase;
        b %= kBase;
        bytes = bytes.subspan(run);
    }
    return (b << 16) | a;
}

}  // namespace vt
