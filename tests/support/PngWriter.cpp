#include "support/PngWriter.h"

#include <algorithm>
#include <cstdlib>

#include "ui/Checksums.h"

namespace vt::test {
namespace {

void PutBigEndian32(ByteVector& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

}  // namespace

ByteVector StoredZlib(std::span<const std::uint8_t> data, std::size_t blockSize) {
    ByteVector out = {0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t size = std::min(blockSize, data.size() - done);
        const bool last = done + size == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(static_cast<std::uint8_t>(size >> 8));
        out.push_back(static_cast<std::uint8_t>(~size));
        out.push_back(static_cast<std::uint8_t>(~size >> 8));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(done),
                   data.begin() + static_cast<std::ptrdiff_t>(done + size));
        done += size;
    } while (done < data.size());
    PutBigEndian32(out, Adler32(data));
    return out;
}

FixedBlockWriter::FixedBlockWriter() : bytes_{0x78, 0x01} {
    Bits(1, 1);  // final block
    Bits(1, 2);  // fixed Huffman codes
}

void FixedBlockWriter::Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        if (used_ == 8) {
            bytes_.push_back(0);
            used_ = 0;
        }
        bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (((value >> i) & 1) << used_));
        ++used_;
    }
}

void FixedBlockWriter::Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) {
        Bits((code >> i) & 1, 1);
    }
}

FixedBlockWriter& FixedBlockWriter::Literal(std::uint8_t byte) {
    if (byte < 144) {
        Code(0x30 + byte, 8);
    } else {
        Code(0x190 + (byte - 144u), 9);
    }
    return *this;
}

FixedBlockWriter& FixedBlockWriter::Match(int length, int distance) {
    Code(static_cast<std::uint32_t>(length - 3 + 1), 7);  // symbols 257..264, seven-bit codes
    Code(static_cast<std::uint32_t>(distance - 1), 5);
    return *this;
}

ByteVector FixedBlockWriter::Finish(std::span<const std::uint8_t> expected) {
    Code(0, 7);  // end of block
    ByteVector out = bytes_;
    PutBigEndian32(out, Adler32(expected));
    return out;
}

ByteVector PngChunk(const std::string& type, std::span<const std::uint8_t> data) {
    ByteVector out;
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(std::span(out).subspan(4)));
    return out;
}

ByteVector PngHeaderData(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                         int interlace) {
    ByteVector out;
    PutBigEndian32(out, width);
    PutBigEndian32(out, height);
    out.push_back(static_cast<std::uint8_t>(depth));
    out.push_back(static_cast<std::uint8_t>(colourType));
    out.push_back(0);
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(interlace));
    return out;
}

ByteVector FilterRows(std::span<const std::uint8_t> rows, std::size_t rowBytes,
                      std::size_t pixelBytes, std::span<const int> filters) {
    ByteVector out;
    for (std::size_t y = 0; y * rowBytes < rows.size(); ++y) {
        const int filter = filters[y % filters.size()];
        out.push_back(static_cast<std::uint8_t>(filter));
        const std::uint8_t* row = rows.data() + y * rowBytes;
        const std::uint8_t* up = y > 0 ? row - rowBytes : nullptr;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= pixelBytes ? row[i - pixelBytes] : 0;
            const int b = up != nullptr ? up[i] : 0;
            const int c = up != nullptr && i >= pixelBytes ? up[i - pixelBytes] : 0;
            int predicted = 0;
            if (filter == 1) {
                predicted = a;
            } else if (filter == 2) {
                predicted = b;
            } else if (filter == 3) {
                predicted = (a + b) / 2;
            } else if (filter == 4) {
                // The predictor closest to a + b - c; ties go to a, then b.
                const int p = a + b - c;
                const int pa = std::abs(p - a);
                const int pb = std::abs(p - b);
                const int pc = std::abs(p - c);
                predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            }
            out.push_back(static_cast<std::uint8_t>(row[i] - predicted));
        }
    }
    return out;
}

ByteVector MakePng(const PngParts& parts) {
    ByteVector out = {137, 80, 78, 71, 13, 10, 26, 10};
    const auto append = [&out](const ByteVector& chunk) {
        out.insert(out.end(), chunk.begin(), chunk.end());
    };
    append(PngChunk("IHDR", parts.header));
    if (!parts.palette.empty()) {
        append(PngChunk("PLTE", parts.palette));
    }
    if (!parts.transparency.empty()) {
        append(PngChunk("tRNS", parts.transparency));
    }
    const std::size_t pieces = static_cast<std::size_t>(parts.dataChunks);
    const std::size_t piece = (parts.zlib.size() + pieces - 1) / pieces;
    for (std::size_t start = 0; start < parts.zlib.size(); start += piece) {
        const std::size_t size = std::min(piece, parts.zlib.size() - start);
        append(PngChunk("IDAT", std::span(parts.zlib).subspan(start, size)));
    }
    append(PngChunk("IEND", {}));
    return out;
}

}  // namespace vt::test
