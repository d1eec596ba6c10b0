#include "ui/PngDecoder.h"

#include <array>
#include <cstring>
#include <memory>

#include "ui/Checksums.h"
#include "ui/Inflate.h"
#include "ui/PngRows.h"

namespace vt {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};

constexpr std::uint32_t ChunkType(const char (&name)[5]) {
    return static_cast<std::uint32_t>(name[0]) << 24 | static_cast<std::uint32_t>(name[1]) << 16 |
           static_cast<std::uint32_t>(name[2]) << 8 | static_cast<std::uint32_t>(name[3]);
}

std::uint32_t BigEndian32(const std::uint8_t* p) noexcept {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int depth = 0;
    int colourType = 0;
    int channels = 0;
};

struct Chunk {
    std::uint32_t type = 0;
    std::span<const std::uint8_t> data;
};

// The chunks after the signature, each checked against the file's end and its CRC-32.
class ChunkReader {
public:
    explicit ChunkReader(std::span<const std::uint8_t> file) noexcept : file_(file) {}

    bool Signature() noexcept {
        return file_.size() >= kSignature.size() &&
               std::memcmp(file_.data(), kSignature.data(), kSignature.size()) == 0;
    }

    // False at the end of the file or at a chunk that is cut short or damaged.
    bool Next(Chunk& chunk) noexcept {
        const std::size_t left = file_.size() - next_;
        if (left < 12) {
            return false;
        }
        const std::uint32_t length = BigEndian32(file_.data() + next_);
        if (length > 0x7FFFFFFFu || length > left - 12) {
            return false;
        }
        const std::span<const std::uint8_t> typeAndData = file_.subspan(next_ + 4, 4 + length);
        if (Crc32(typeAndData) != BigEndian32(typeAndData.data() + typeAndData.size())) {
            return false;
        }
        chunk.type = BigEndian32(typeAndData.data());
        chunk.data = typeAndData.subspan(4);
        next_ += 12 + length;
        return true;
    }

private:
    std::span<const std::uint8_t> file_;
    std::size_t next_ = kSignature.size();
};

bool ParseHeader(const Chunk& chunk, Header& header) noexcept {
    if (chunk.type != ChunkType("IHDR") || chunk.data.size() != 13) {
        return false;
    }
    const std::uint8_t* p = chunk.data.data();
    header.width = BigEndian32(p);
    header.height = BigEndian32(p + 4);
    header.depth = p[8];
    header.colourType = p[9];
    // Compression and filter method 0; no interlacing.
    if (p[10] != 0 || p[11] != 0 || p[12] != 0 || header.width == 0 || header.height == 0 ||
        header.width > kMaxPngSide || header.height > kMaxPngSide) {
        return false;
    }
    const bool lowDepth = header.depth == 1 || header.depth == 2 || header.depth == 4;
    switch (header.colourType) {
        case 0:  // greyscale
            header.channels = 1;
            return lowDepth || header.depth == 8;
        case 2:  // RGB
            header.channels = 3;
            return header.depth == 8;
        case 3:  // palette
            header.channels = 1;
            return lowDepth || header.depth == 8;
        case 4:  // greyscale and alpha
            header.channels = 2;
            return header.depth == 8;
        case 6:  // RGBA
            header.channels = 4;
            return header.depth == 8;
        default:
            return false;
    }
}

struct Parts {
    Header header;
    std::span<const std::uint8_t> palette;
    std::span<const std::uint8_t> transparency;
    std::vector<std::span<const std::uint8_t>> data;
};

bool ReadChunks(std::span<const std::uint8_t> file, Parts& parts) {
    ChunkReader reader(file);
    Chunk chunk;
    if (!reader.Signature() || !reader.Next(chunk) || !ParseHeader(chunk, parts.header)) {
        return false;
    }
    while (reader.Next(chunk)) {
        if (chunk.type == ChunkType("IEND")) {
            return !parts.data.empty() && (parts.header.colourType != 3 || !parts.palette.empty());
        }
        if (chunk.type == ChunkType("IDAT")) {
            parts.data.push_back(chunk.data);
        } else if (chunk.type == ChunkType("PLTE")) {
            if (chunk.data.empty() || chunk.data.size() % 3 != 0 || chunk.data.size() > 3 * 256) {
                return false;
            }
            parts.palette = chunk.data;
        } else if (chunk.type == ChunkType("tRNS")) {
            parts.transparency = chunk.data;
        } else if ((chunk.type & 0x20000000u) == 0) {
            return false;  // a critical chunk this decoder does not know
        }
    }
    return false;  // no IEND: cut short or damaged
}

bool Decode(std::span<const std::uint8_t> file, std::span<std::uint8_t> bgra) {
    Parts parts;
    if (!ReadChunks(file, parts)) {
        return false;
    }
    const Header& h = parts.header;
    if (bgra.size() != static_cast<std::size_t>(h.width) * h.height * 4 ||
        (h.colourType == 3 && parts.transparency.size() * 3 > parts.palette.size())) {
        return false;
    }
    // Most files carry one data chunk: it is read where it lies.
    std::vector<std::uint8_t> joined;
    std::span<const std::uint8_t> compressed = parts.data.front();
    if (parts.data.size() > 1) {
        for (std::span<const std::uint8_t> piece : parts.data) {
            joined.insert(joined.end(), piece.begin(), piece.end());
        }
        compressed = joined;
    }
    const std::size_t bitsPerPixel = static_cast<std::size_t>(h.channels) * h.depth;
    const std::size_t rowBytes = (h.width * bitsPerPixel + 7) / 8;
    // Not cleared first: the stream must fill every byte, or the picture is refused.
    const std::size_t rawSize = h.height * (rowBytes + 1);
    const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[rawSize]);
    const std::span<std::uint8_t> raw(buffer.get(), rawSize);
    const std::optional<std::size_t> written = InflateZlib(compressed, raw);
    if (written != raw.size() ||
        !UnfilterPngRows(raw, rowBytes, bitsPerPixel < 8 ? 1 : bitsPerPixel / 8)) {
        return false;
    }
    const PngRowFormat format{h.width, h.depth, h.colourType, parts.palette, parts.transparency};
    for (std::size_t y = 0; y < h.height; ++y) {
        if (!ConvertPngRow(format, buffer.get() + y * (rowBytes + 1) + 1,
                           bgra.data() + y * h.width * 4)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<PngSize> ReadPngSize(std::span<const std::uint8_t> file) noexcept {
    ChunkReader reader(file);
    Chunk chunk;
    Header header;
    if (!reader.Signature() || !reader.Next(chunk) || !ParseHeader(chunk, header)) {
        return std::nullopt;
    }
    return PngSize{header.width, header.height};
}

bool DecodePng(std::span<const std::uint8_t> file, std::span<std::uint8_t> bgra) noexcept {
    try {
        return Decode(file, bgra);
    } catch (...) {
        return false;  // out of memory for the decoded rows
    }
}

std::optional<PngPixels> DecodePng(std::span<const std::uint8_t> file) noexcept {
    try {
        const std::optional<PngSize> size = ReadPngSize(file);
        if (!size) {
            return std::nullopt;
        }
        PngPixels pixels{size->width, size->height,
                         std::vector<std::uint8_t>(std::size_t{size->width} * size->height * 4)};
        if (!Decode(file, pixels.bgra)) {
            return std::nullopt;
        }
        return pixels;
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace vt
