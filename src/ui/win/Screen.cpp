#include "ui/win/Screen.h"

#include "ui/win/Fonts.h"
#include "ui/win/Layout.h"

namespace vt::win {

HCURSOR Screen::Cursor(int id) const noexcept {
    auto found = cursors_.find(id);
    if (found != cursors_.end()) {
        return found->second;
    }
    switch (id) {
        case crHourGlass:
            return ::LoadCursorW(nullptr, IDC_WAIT);
        default:
            return ::LoadCursorW(nullptr, IDC_ARROW);
    }
}

void Screen::SetCursor(int id, HCURSOR cursor) {
    if (cursor == nullptr) {
        cursors_.erase(id);
    } else {
        cursors_[id] = cursor;
    }
}

HFONT Screen::HintFont() {
    if (!hintFont_) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            hintFont_.reset(::CreateFontIndirectW(&metrics.lfStatusFont));
        }
    }
    return hintFont_ ? hintFont_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

FontSpec Screen::IconTitleFont() const {
    return win::IconTitleFont();
}

}  // namespace vt::win
