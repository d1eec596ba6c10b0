#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vt::test {

using ByteVector = std::vector<std::uint8_t>;

// A zlib stream of stored (uncompressed) blocks of at most `blockSize` bytes each.
ByteVector StoredZlib(std::span<const std::uint8_t> data, std::size_t blockSize = 65535);

// Fixed-Huffman deflate codes, written bit by bit: enough to assemble small streams by hand.
class FixedBlockWriter {
public:
    FixedBlockWriter();  // the zlib header and the block header of one final fixed block
    FixedBlockWriter& Literal(std::uint8_t byte);
    // A copy of 3 to 10 bytes from 1 to 4 bytes back (codes without extra bits).
    FixedBlockWriter& Match(int length, int distance);
    // The end-of-block code, then the Adler-32 of `expected` (what the stream stands for).
    ByteVector Finish(std::span<const std::uint8_t> expected);

private:
    void Bits(std::uint32_t value, int count);  // lowest bit first
    void Code(std::uint32_t code, int length);  // Huffman codes go highest bit first
    ByteVector bytes_;
    int used_ = 8;  // bits used in the last byte
};

// A PNG chunk: length, type, data and CRC-32.
ByteVector PngChunk(const std::string& type, std::span<const std::uint8_t> data);

// The 13 bytes of a header chunk's data.
ByteVector PngHeaderData(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                         int interlace = 0);

// Rows of `rowBytes` bytes each filtered with `filters[row % filters.size()]` (0 to 4), every
// row led by its filter byte, as a PNG's data stream holds them. `pixelBytes` is the distance
// that Sub, Average and Paeth look back (1 below 8 bits per pixel).
ByteVector FilterRows(std::span<const std::uint8_t> rows, std::size_t rowBytes,
                      std::size_t pixelBytes, std::span<const int> filters);

struct PngParts {
    ByteVector header;  // PngHeaderData
    ByteVector palette;
    ByteVector transparency;
    ByteVector zlib;     // the compressed data stream
    int dataChunks = 1;  // it is split over this many IDAT chunks
};

// Signature, IHDR, PLTE and tRNS when given, the IDAT chunks and IEND.
ByteVector MakePng(const PngParts& parts);

}  // namespace vt::test
