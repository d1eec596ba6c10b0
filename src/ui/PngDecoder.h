#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vt {

// The largest picture side the decoder accepts: far above any art, small enough that its
// buffers always fit.
inline constexpr std::uint32_t kMaxPngSide = 16384;

struct PngSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct PngPixels {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> bgra;  // premultiplied, rows top-down, 4 * width bytes each
};

// The size a PNG file declares, once its signature and header chunk check out.
std::optional<PngSize> ReadPngSize(std::span<const std::uint8_t> file) noexcept;

// Decodes a PNG file (not interlaced; greyscale, RGB, palette, grey+alpha or RGBA at 8 bits, and
// greyscale or palette at 1, 2 or 4 bits) into 32-bit BGRA with premultiplied alpha, rows
// top-down, as AlphaBlend and image lists take them. `bgra` must hold exactly the declared
// width * height * 4 bytes. False, with nothing written past `bgra`, when the file is damaged
// (any chunk's CRC-32, the zlib stream, its Adler-32) or of a kind this decoder does not read.
bool DecodePng(std::span<const std::uint8_t> file, std::span<std::uint8_t> bgra) noexcept;

// The same into a buffer of its own.
std::optional<PngPixels> DecodePng(std::span<const std::uint8_t> file) noexcept;

}  // namespace vt
