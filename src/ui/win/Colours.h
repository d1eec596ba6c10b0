#pragma once

#include <windows.h>

#include <cstdint>

namespace vt::win {

// A colour of a layout: 0x00BBGGRR, or a system colour index with the top bit set (the way the
// font records of the language layer carry colours too).
using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour kNoColour = 0x1FFFFFFFu;

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr Colour SystemColour(int index) {
    return kSystemColourFlag | static_cast<Colour>(index);
}

inline constexpr Colour kWindowColour = SystemColour(COLOR_WINDOW);
inline constexpr Colour kButtonFaceColour = SystemColour(COLOR_BTNFACE);
inline constexpr Colour kWindowTextColour = SystemColour(COLOR_WINDOWTEXT);

inline COLORREF ResolveColour(Colour colour) noexcept {
    if ((colour & kSystemColourFlag) != 0) {
        return ::GetSysColor(static_cast<int>(colour & 0xFF));
    }
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

}  // namespace vt::win
