#include "ui/PngRows.h"

#include <vector>

namespace vt {
namespace {

int Paeth(int a, int b, int c) noexcept {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p;
    const int pb = p > b ? p - b : b - p;
    const int pc = p > c ? p - c : c - p;
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes one row's filter in place. `up` is the row above, already unfiltered (zeros for the
// first row); the first `pixelBytes` bytes have no left neighbour, which counts as zero.
bool UnfilterRow(int filter, std::uint8_t* row, const std::uint8_t* up, std::size_t size,
                 std::size_t pixelBytes) noexcept {
    const std::size_t head = pixelBytes < size ? pixelBytes : size;
    switch (filter) {
        case 0:
            return true;
        case 1:
            for (std::size_t i = pixelBytes; i < size; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + row[i - pixelBytes]);
            }
            return true;
        case 2:
            for (std::size_t i = 0; i < size; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + up[i]);
            }
            return true;
        case 3:
            for (std::size_t i = 0; i < head; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + up[i] / 2);
            }
            for (std::size_t i = pixelBytes; i < size; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + (row[i - pixelBytes] + up[i]) / 2);
            }
            return true;
        case 4:
            for (std::size_t i = 0; i < head; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + up[i]);  // Paeth(0, b, 0) is b
            }
            for (std::size_t i = pixelBytes; i < size; ++i) {
                row[i] = static_cast<std::uint8_t>(
                    row[i] + Paeth(row[i - pixelBytes], up[i], up[i - pixelBytes]));
            }
            return true;
        default:
            return false;
    }
}

}  // namespace

bool UnfilterPngRows(std::span<std::uint8_t> raw, std::size_t rowBytes, std::size_t pixelBytes) {
    const std::vector<std::uint8_t> zeros(rowBytes);
    const std::uint8_t* up = zeros.data();
    for (std::size_t start = 0; start < raw.size(); start += rowBytes + 1) {
        std::uint8_t* row = raw.data() + start + 1;
        if (!UnfilterRow(raw[start], row, up, rowBytes, pixelBytes)) {
            return false;
        }
        up = row;
    }
    return true;
}

namespace {

std::uint32_t BigEndian16(const std::uint8_t* p) noexcept {
    return static_cast<std::uint32_t>(p[0]) << 8 | p[1];
}

// c * a / 255, rounded to the nearest.
std::uint8_t Premultiply(std::uint32_t c, std::uint32_t a) noexcept {
    const std::uint32_t t = c * a + 128;
    return static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
}

void Put(std::uint8_t*& out, std::uint32_t r, std::uint32_t g, std::uint32_t b,
         std::uint32_t a) noexcept {
    if (a == 255) {
        out[0] = static_cast<std::uint8_t>(b);
        out[1] = static_cast<std::uint8_t>(g);
        out[2] = static_cast<std::uint8_t>(r);
    } else {
        out[0] = Premultiply(b, a);
        out[1] = Premultiply(g, a);
        out[2] = Premultiply(r, a);
    }
    out[3] = static_cast<std::uint8_t>(a);
    out += 4;
}

}  // namespace

bool ConvertPngRow(const PngRowFormat& h, const std::uint8_t* row, std::uint8_t* out) noexcept {
    const std::span<const std::uint8_t> trns = h.transparency;
    const std::uint32_t mask = (1u << h.depth) - 1;
    const auto sample = [&](std::uint32_t x) {
        const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(h.depth);
        const int shift = 8 - h.depth - static_cast<int>(bit % 8);
        return static_cast<std::uint32_t>(row[bit / 8] >> shift) & mask;
    };
    switch (h.colourType) {
        case 0:
            for (std::uint32_t x = 0; x < h.width; ++x) {
                const std::uint32_t value = sample(x);
                const std::uint32_t grey = value * 255 / mask;
                const bool keyed = trns.size() == 2 && BigEndian16(trns.data()) == value;
                Put(out, grey, grey, grey, keyed ? 0 : 255);
            }
            return true;
        case 3:
            for (std::uint32_t x = 0; x < h.width; ++x) {
                const std::uint32_t value = sample(x);
                if (3 * value + 2 >= h.palette.size()) {
                    return false;
                }
                const std::uint8_t* rgb = h.palette.data() + 3 * value;
                Put(out, rgb[0], rgb[1], rgb[2], value < trns.size() ? trns[value] : 255);
            }
            return true;
        case 2: {
            const bool keyed = trns.size() == 6;
            for (const std::uint8_t* p = row; p != row + 3 * std::size_t{h.width}; p += 3) {
                const bool clear = keyed && BigEndian16(trns.data()) == p[0] &&
                                   BigEndian16(trns.data() + 2) == p[1] &&
                                   BigEndian16(trns.data() + 4) == p[2];
                Put(out, p[0], p[1], p[2], clear ? 0 : 255);
            }
            return true;
        }
        case 4:
            for (const std::uint8_t* p = row; p != row + 2 * std::size_t{h.width}; p += 2) {
                Put(out, p[0], p[0], p[0], p[1]);
            }
            return true;
        default:
            for (const std::uint8_t* p = row; p != row + 4 * std::size_t{h.width}; p += 4) {
                Put(out, p[0], p[1], p[2], p[3]);
            }
            return true;
    }
}

}  // namespace vt
