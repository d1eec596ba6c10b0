#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vt {

// Decompresses the zlib stream `input` (deflate: stored, fixed and dynamic Huffman blocks) into
// `output` and returns how many bytes it wrote. Nothing when the stream is corrupt, ends early,
// fails its Adler-32 or needs more room than `output` has. It never reads or writes outside the
// two spans, whatever the input holds; bytes after the Adler-32 are ignored.
std::optional<std::size_t> InflateZlib(std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) noexcept;

}  // namespace vt
