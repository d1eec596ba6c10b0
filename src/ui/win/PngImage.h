#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/win/Handles.h"

namespace vt::win {

// A PNG picture from the module's resources (type "PNG"), decoded with its alpha by our own
// decoder: no COM and no imaging libraries to load at start-up.
class PngImage {
public:
    // The resource `name`, or above 120 DPI `name`_2X (drawn at twice the size) when there is one.
    static PngImage Load(const wchar_t* name, UINT dpi, HMODULE module = nullptr) noexcept;

    // Load(name, dpi).Scaled(width, height), holding as few copies of the pixels as it can.
    static UniqueBitmap LoadScaled(const wchar_t* name, UINT dpi, int width, int height,
                                   HMODULE module = nullptr) noexcept;

    explicit operator bool() const noexcept { return !pixels_.empty(); }
    UINT Width() const noexcept { return width_; }
    UINT Height() const noexcept { return height_; }
    // The picture scaled with good quality to exactly width x height: a 32-bit top-down DIB with
    // premultiplied alpha, ready for AlphaBlend and image lists.
    UniqueBitmap Scaled(int width, int height) const noexcept;

private:
    std::vector<std::uint8_t> pixels_;  // premultiplied BGRA, rows top-down
    UINT width_ = 0;
    UINT height_ = 0;
};

}  // namespace vt::win
