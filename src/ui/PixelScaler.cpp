#include "ui/PixelScaler.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vt {
namespace {

// Sides above this are refused: every sum below then fits its integer type.
constexpr std::uint32_t kMaxSide = 1u << 20;

// The source pixels (along one side of `from`) that target pixel `to` (of `into`) covers, and by
// how much, in units of 1/into of a source pixel: every weight is a whole number and a target
// pixel's weights add up to `from`.
struct Cover {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

template <typename Weight>
Cover Coverage(std::uint64_t to, std::uint64_t from, std::uint64_t into, Weight&& weight) {
    const std::uint64_t begin = to * from;
    const std::uint64_t end = begin + from;
    Cover cover{static_cast<std::uint32_t>(begin / into), 0};
    for (std::uint64_t i = cover.first; i * into < end; ++i, ++cover.count) {
        weight(
            static_cast<std::uint32_t>(std::min(end, (i + 1) * into) - std::max(begin, i * into)));
    }
    return cover;
}

// A total over an area, rounded to the nearest (halves up). A multiplication by the reciprocal
// is exact enough (totals stay below 2^48) except within a hair of a half, where whole numbers
// decide. Signed conversions: the unsigned ones cost branches.
class Rounding {
public:
    explicit Rounding(std::uint64_t area) noexcept
        : area_(area), reciprocal_(1.0 / static_cast<double>(area)) {}

    std::uint8_t operator()(std::uint64_t total) const noexcept {
        const double shifted =
            static_cast<double>(static_cast<std::int64_t>(total)) * reciprocal_ + 0.5;
        auto n = static_cast<std::int64_t>(shifted);
        const double fraction = shifted - static_cast<double>(n);
        if (fraction < 1e-6 || fraction > 1 - 1e-6) {
            n = static_cast<std::int64_t>((2 * total + area_) / (2 * area_));
        }
        return static_cast<std::uint8_t>(n);
    }

private:
    std::uint64_t area_;
    double reciprocal_;
};

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
        columns_.reserve(width);
        for (std::uint32_t x = 0; x < width; ++x) {
            columns_.push_back(Coverage(x, sourceWidth, width,
                                        [this](std::uint32_t w) { columnWeights_.push_back(w); }));
        }
    }

    void Run(std::span<std::uint8_t> target) {
        // The same height (a picture one column narrower, say): each target row is one source
        // row scaled across, and its totals are over the width alone.
        if (sourceHeight_ == height_) {
            const Rounding rounding(sourceWidth_);
            for (std::uint32_t y = 0; y < height_; ++y) {
                const std::uint32_t* row = ScaledRow(y);
                std::uint8_t* out = target.data() + std::size_t{y} * width_ * 4;
                for (std::size_t i = 0; i < sum_.size(); ++i) {
                    out[i] = rounding(row[i]);
                }
            }
            return;
        }
        const Rounding rounding(std::uint64_t{sourceWidth_} * sourceHeight_);
        std::vector<std::uint32_t> rowWeights;
        for (std::uint32_t y = 0; y < height_; ++y) {
            rowWeights.clear();
            const Cover rows = Coverage(y, sourceHeight_, height_,
                                        [&](std::uint32_t w) { rowWeights.push_back(w); });
            std::fill(sum_.begin(), sum_.end(), 0);
            for (std::uint32_t k = 0; k < rows.count; ++k) {
                const std::uint64_t weight = rowWeights[k];
                const std::uint32_t* row = ScaledRow(rows.first + k);
                for (std::size_t i = 0; i < sum_.size(); ++i) {
                    sum_[i] += weight * row[i];
                }
            }
            std::uint8_t* out = target.data() + std::size_t{y} * width_ * 4;
            for (std::size_t i = 0; i < sum_.size(); ++i) {
                out[i] = rounding(sum_[i]);
            }
        }
    }

private:
    // Source row `y` scaled across, unrounded (weights summing to sourceWidth). A source row
    // that straddles two target rows is asked for twice in a row: it is kept.
    const std::uint32_t* ScaledRow(std::uint32_t y) {
        if (y == rowIndex_) {
            return row_.data();
        }
        rowIndex_ = y;
        const std::uint8_t* in = source_.data() + std::size_t{y} * sourceWidth_ * 4;
        const std::uint32_t* weight = columnWeights_.data();
        std::uint32_t* out = row_.data();
        for (const Cover& column : columns_) {
            std::uint32_t b = 0;
            std::uint32_t g = 0;
            std::uint32_t r = 0;
            std::uint32_t a = 0;
            const std::uint8_t* pixel = in + std::size_t{column.first} * 4;
            for (std::uint32_t k = 0; k < column.count; ++k, ++weight, pixel += 4) {
                b += *weight * pixel[0];
                g += *weight * pixel[1];
                r += *weight * pixel[2];
                a += *weight * pixel[3];
            }
            out[0] = b;
            out[1] = g;
            out[2] = r;
            out[3] = a;
            out += 4;
        }
        return row_.data();
    }

    std::span<const std::uint8_t> source_;
    std::uint32_t sourceWidth_;
    std::uint32_t sourceHeight_;
    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<Cover> columns_;
    std::vector<std::uint32_t> columnWeights_;  // every column's weights, one after another
    std::vector<std::uint32_t> row_;
    std::uint32_t rowIndex_ = UINT32_MAX;
    std::vector<std::uint64_t> sum_;
};

}  // namespace

bool ScalePixels(std::span<const std::uint8_t> source, std::uint32_t sourceWidth,
                 std::uint32_t sourceHeight, std::span<std::uint8_t> target, std::uint32_t width,
                 std::uint32_t height) noexcept {
    if (sourceWidth == 0 || sourceHeight == 0 || width == 0 || height == 0 ||
        std::max({sourceWidth, sourceHeight, width, height}) > kMaxSide ||
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
