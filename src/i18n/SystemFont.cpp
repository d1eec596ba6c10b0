#include "i18n/SystemFont.h"

namespace vt {

void AdaptFonts(Form& window) noexcept {
    try {
        FontSpec windowFont = window.Font();
        if (windowFont.size > kMaxWindowFontSize) {
            windowFont.size = kMaxWindowFontSize;
            window.SetFont(windowFont);
        }
        const std::size_t count = window.ComponentCount();
        for (std::size_t i = 0; i < count; ++i) {
            FormComponent* component = window.Component(i);
            if (component == nullptr || component->ParentFont().value_or(false)) {
                continue;
            }
            std::optional<FontSpec> font = component->Font();
            if (!font) {
                continue;
            }
            font->face = windowFont.face;
            if (font->size < windowFont.size) {
                font->size = windowFont.size;
            }
            component->SetFont(*font);
        }
    } catch (...) {
        // Components adapted so far keep their new fonts.
    }
}

}  // namespace vt
