// Any bytes through the picture decoder, three ways: as a zlib stream, as a PNG file, and as the
// data of a well-formed PNG whose header comes from the first two bytes (chunk CRCs and the
// Adler-32 made right here, which a mutator could hardly find, so that the filters and every
// pixel format are reached). Each must end quietly: a result or a refusal, never a crash or a
// memory error. What decodes is scaled too.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/Checksums.h"
#include "ui/Inflate.h"
#include "ui/PixelScaler.h"
#include "ui/PngDecoder.h"

namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              std::span<const std::uint8_t> data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, vt::Crc32(std::span(out).subspan(start)));
}

void DecodeAndScale(std::span<const std::uint8_t> file) {
    const std::optional<vt::PngPixels> pixels = vt::DecodePng(file);
    if (!pixels) {
        return;
    }
    const std::uint32_t width = pixels->width / 2 + 1;
    const std::uint32_t height = pixels->height * 3 / 2;
    std::vector<std::uint8_t> scaled(std::size_t{width} * height * 4);
    (void)vt::ScalePixels(pixels->bgra, pixels->width, pixels->height, scaled, width, height);
}

// Depth and colour type of every kind the decoder reads, and one it does not.
constexpr std::array<std::array<std::uint8_t, 2>, 12> kFormats = {{{8, 2},
                                                                   {8, 6},
                                                                   {8, 0},
                                                                   {8, 4},
                                                                   {1, 3},
                                                                   {2, 3},
                                                                   {4, 3},
                                                                   {8, 3},
                                                                   {1, 0},
                                                                   {2, 0},
                                                                   {4, 0},
                                                                   {16, 6}}};

void WrappedPng(std::span<const std::uint8_t> data) {
    if (data.size() < 2) {
        return;
    }
    const std::uint32_t width = 1u + data[0] % 48;
    const std::uint32_t height = 1u + (data[1] >> 4) * 3;
    const auto& format = kFormats[(data[1] & 15) % kFormats.size()];
    data = data.subspan(2);

    std::vector<std::uint8_t> file = {137, 80, 78, 71, 13, 10, 26, 10};
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, width);
    PutBigEndian32(header, height);
    header.insert(header.end(), {format[0], format[1], 0, 0, 0});
    PutChunk(file, "IHDR", header);
    // A palette of 200 colours, so that larger indices are met too, and alphas for some.
    std::vector<std::uint8_t> palette(3 * 200);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<std::uint8_t>(i * 37);
    }
    PutChunk(file, "PLTE", palette);
    const std::uint8_t alphas[] = {0, 128, 255, 7};
    PutChunk(file, "tRNS", alphas);
    // The rest as stored blocks of a zlib stream.
    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t size = std::min<std::size_t>(65535, data.size() - done);
        zlib.push_back(done + size == data.size() ? 1 : 0);
        zlib.insert(zlib.end(),
                    {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                     static_cast<std::uint8_t>(~size), static_cast<std::uint8_t>(~size >> 8)});
        zlib.insert(zlib.end(), data.begin() + static_cast<std::ptrdiff_t>(done),
                    data.begin() + static_cast<std::ptrdiff_t>(done + size));
        done += size;
    } while (done < data.size());
    PutBigEndian32(zlib, vt::Adler32(data));
    PutChunk(file, "IDAT", zlib);
    PutChunk(file, "IEND", {});
    DecodeAndScale(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    std::vector<std::uint8_t> output(1 << 16);
    (void)vt::InflateZlib(input, output);
    DecodeAndScale(input);
    WrappedPng(input);
    return 0;
}
