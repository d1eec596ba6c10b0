#pragma once

#include <cstdint>
#include <span>

namespace vt {

// Scales 32-bit premultiplied pixels (rows top-down, 4 bytes each) from `source` (sourceWidth x
// sourceHeight) to exactly `width` x `height` into `target`, by area averaging: each target
// pixel is the mean of the source area it covers, partly covered pixels weighted by their part,
// rounded to the nearest. The same size is a plain copy. False, with nothing written, when a
// size is zero or a buffer is not exactly its size.
bool ScalePixels(std::span<const std::uint8_t> source, std::uint32_t sourceWidth,
                 std::uint32_t sourceHeight, std::span<std::uint8_t> target, std::uint32_t width,
                 std::uint32_t height) noexcept;

}  // namespace vt
