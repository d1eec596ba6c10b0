#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vt {

// The arithmetic of the native hint window, apart from the window itself.

struct HintTiming {
    int pause = 0;       // before a hint shows
    int shortPause = 0;  // before the next hint while one shows
    int hidePause = 0;   // how long a hint stays
};

// From the system's double-click time T: T, T / 5 (remainder dropped), T x 10.
HintTiming HintTimingFor(unsigned doubleClickTime) noexcept;

// The part of a hint before the first "|", without characters up to 32 at either end.
std::wstring HintTextOf(std::wstring_view hint);

struct TextExtent {
    int width = 0;
    int height = 0;
    bool operator==(const TextExtent&) const = default;
};

// A block of lines separated by CR LF: the widest line, and the heights of all lines with the
// spacing between (not after the last). A lone CR or LF does not break a line. (0, 0) when
// measuring fails.
TextExtent MultiLineExtent(std::wstring_view text, int lineSpacing,
                           const std::function<TextExtent(std::wstring_view line)>& measureLine);

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct ScreenBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a tip of that size opens for the point: above the pointer (cursorY - height) when it would
// reach the monitor's bottom, moved left to end at the monitor's right edge, never left of or
// above the monitor.
ScreenPoint PlaceTip(ScreenPoint point, TextExtent tip, ScreenBounds monitor, int cursorY) noexcept;

// The lParam of TTM_TRACKPOSITION: x in the low 16 bits, y + 1 in the high 16 bits.
std::uint32_t TrackPositionParam(ScreenPoint point) noexcept;

}  // namespace vt
