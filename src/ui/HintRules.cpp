#include "ui/HintRules.h"

#include <algorithm>

namespace vt {

HintTiming HintTimingFor(unsigned doubleClickTime) noexcept {
    const int t = static_cast<int>(std::min(doubleClickTime, 0x7FFFFFFFu / 10));
    return HintTiming{t, t / 5, t * 10};
}

std::wstring HintTextOf(std::wstring_view hint) {
    hint = hint.substr(0, hint.find(L'|'));
    std::size_t begin = 0;
    std::size_t end = hint.size();
    while (begin < end && static_cast<unsigned>(hint[begin]) <= 32) {
        ++begin;
    }
    while (end > begin && static_cast<unsigned>(hint[end - 1]) <= 32) {
        --end;
    }
    return std::wstring(hint.substr(begin, end - begin));
}

TextExtent MultiLineExtent(std::wstring_view text, int lineSpacing,
                           const std::function<TextExtent(std::wstring_view line)>& measureLine) {
    try {
        TextExtent total;
        for (std::size_t breakAt = text.find(L"\r\n"); breakAt != std::wstring_view::npos;
             breakAt = text.find(L"\r\n")) {
            const TextExtent line = measureLine(text.substr(0, breakAt));
            total.width = std::max(total.width, line.width);
            total.height += line.height + lineSpacing;
            text.remove_prefix(breakAt + 2);
        }
        const TextExtent last = measureLine(text);
        total.width = std::max(total.width, last.width);
        total.height += last.height;
        return total;
    } catch (...) {
        return TextExtent{};
    }
}

ScreenPoint PlaceTip(ScreenPoint point, TextExtent tip, ScreenBounds monitor,
                     int cursorY) noexcept {
    if (point.y + tip.height >= monitor.bottom) {
        point.y = cursorY - tip.height;
    }
    if (point.x + tip.width >= monitor.right) {
        point.x = monitor.right - tip.width;
    }
    if (point.x < monitor.left) {
        point.x = monitor.left;
    }
    if (point.y < monitor.top) {
        point.y = monitor.top;
    }
    return point;
}

std::uint32_t TrackPositionParam(ScreenPoint point) noexcept {
    const auto low = static_cast<std::uint16_t>(point.x);
    const auto high = static_cast<std::uint16_t>(point.y + 1);
    return static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
}

}  // namespace vt
