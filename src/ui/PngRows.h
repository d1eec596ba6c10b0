#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vt {

// How the rows of a PNG picture hold their pixels.
struct PngRowFormat {
    std::uint32_t width = 0;
    int depth = 8;       // bits a sample: 1, 2 or 4 (greyscale, palette) or 8
    int colourType = 6;  // 0 greyscale, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    std::span<const std::uint8_t> palette;       // PLTE: red, green, blue for each index
    std::span<const std::uint8_t> transparency;  // tRNS as the file has it, or empty
};

// Undoes the row filters (none, Sub, Up, Average, Paeth) in place. Each row in `raw` is its
// filter byte and then `rowBytes` bytes; `pixelBytes` is how far back the left neighbour is (1
// below 8 bits a pixel). False at an unknown filter.
bool UnfilterPngRows(std::span<std::uint8_t> raw, std::size_t rowBytes, std::size_t pixelBytes);

// One unfiltered row as 32-bit BGRA with premultiplied alpha, 4 * width bytes into `out`. False
// at a palette index that the palette does not have.
bool ConvertPngRow(const PngRowFormat& format, const std::uint8_t* row, std::uint8_t* out) noexcept;

}  // namespace vt
