#include "ui/PixelScaler.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vt {
namespace {

// The parts of source pixels (of `from` along one side) that target pixel `to` (of `into`)
// covers, in units of 1/into of a source pixel, so that every weight is a whole number and a
// target pixel's weights add up to `from`.
struct Span {
    std::uint32_t first = 0;
    std::vector<std::uint32_t> weights;
};

Span Coverage(std::uint64_t to, std::uint64_t from, std::uint64_t into) {
    const std::uint64_t begin = to * from;
    const std::uint64_t end = begin + from;
    Span span;
    span.first = static_cast<std::uint32_t>(begin / into);
    for (std::uint64_t i = span.first; i * into < end; ++i) {
        const std::uint64_t overlap = std::min(end, (i + 1) * into) - std::max(begin, i * into);
        span.weights.push_back(static_cast<std::uint32_t>(overlap));
    }
    return span;
}

class Scaler {
public:
    Scaler(std::span<const std::uint8_t> source, std::uint32_t sourceWidth,
           std::uint32_t sourceHeight, std::uint32_t width, std::uint32_t height)
        : source_(source),
          sourceWidth_(sourceWidth),
          sourceHeight_(sourceHeight),
          width_(width),
          height_(height),
          row_(std::size_t{width} * 4),
          sum_(std::size_t{width} * 4) {
        for (std::uint32_t x = 0; x < width; ++x) {
            columns_.push_back(Coverage(x, sourceWidth, width));
        }
    }

    void Run(std::span<std::uint8_t> target) {
        const std::uint64_t denominator = std::uint64_t{sourceWidth_} * sourceHeight_;
        for (std::uint32_t y = 0; y < height_; ++y) {
            const Span rows = Coverage(y, sourceHeight_, height_);
            std::fill(sum_.begin(), sum_.end(), 0);
            for (std::size_t k = 0; k < rows.weights.size(); ++k) {
                const std::vector<std::uint64_t>& row = ScaledRow(rows.first + k);
                for (std::size_t i = 0; i < sum_.size(); ++i) {
                    sum_[i] += rows.weights[k] * row[i];
                }
            }
            std::uint8_t* out = target.data() + std::size_t{y} * width_ * 4;
            for (std::size_t i = 0; i < sum_.size(); ++i) {
                out[i] = static_cast<std::uint8_t>((sum_[i] + denominator / 2) / denominator);
            }
        }
    }

private:
    // Source row `y` scaled across, unrounded (weights summing to sourceWidth). A source row
    // that straddles two target rows is asked for twice in a row: it is kept.
    const std::vector<std::uint64_t>& ScaledRow(std::uint32_t y) {
        if (y == rowIndex_) {
            return row_;
        }
        rowIndex_ = y;
        const std::uint8_t* in = source_.data() + std::size_t{y} * sourceWidth_ * 4;
        for (std::uint32_t x = 0; x < width_; ++x) {
            const Span& column = columns_[x];
            std::uint64_t channels[4] = {};
            for (std::size_t k = 0; k < column.weights.size(); ++k) {
                const std::uint8_t* pixel = in + (std::size_t{column.first} + k) * 4;
                for (int c = 0; c < 4; ++c) {
                    channels[c] += std::uint64_t{column.weights[k]} * pixel[c];
                }
            }
            std::copy(channels, channels + 4, row_.begin() + std::size_t{x} * 4);
        }
        return row_;
    }

    std::span<const std::uint8_t> source_;
    std::uint32_t sourceWidth_;
    std::uint32_t sourceHeight_;
    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<Span> columns_;
    std::vector<std::uint64_t> row_;
    std::uint32_t rowIndex_ = UINT32_MAX;
    std::vector<std::uint64_t> sum_;
};

}  // namespace

bool ScalePixels(std::span<const std::uint8_t> source, std::uint32_t sourceWidth,
                 std::uint32_t sourceHeight, std::span<std::uint8_t> target, std::uint32_t width,
                 std::uint32_t height) noexcept {
    if (sourceWidth == 0 || sourceHeight == 0 || width == 0 || height == 0 ||
        source.size() != std::uint64_t{sourceWidth} * sourceHeight * 4 ||
        target.size() != std::uint64_t{width} * height * 4) {
        return false;
    }
    if (sourceWidth == width && sourceHeight == height) {
        std::memcpy(target.data(), source.data(), source.size());
        return true;
    }
    try {
        Scaler(source, sourceWidth, sourceHeight, width, height).Run(target);
        return true;
    } catch (...) {
        return false;  // out of memory for the weights and one row
    }
}

}  // namespace vt
