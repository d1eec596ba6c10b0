#include "ui/win/Fonts.h"

#include <cwchar>

#include "ui/win/Dpi.h"

namespace vt::win {

int FontPixelHeight(int points, UINT dpi) noexcept {
    return ::MulDiv(points, static_cast<int>(dpi), 72);
}

UniqueFont CreateFontAt(const FontSpec& wanted, UINT dpi) noexcept {
    LOGFONTW lf{};
    lf.lfHeight = -FontPixelHeight(wanted.size, dpi);
    lf.lfWeight = (wanted.style & font_style::kBold) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (wanted.style & font_style::kItalic) != 0 ? TRUE : FALSE;
    lf.lfUnderline = (wanted.style & font_style::kUnderline) != 0 ? TRUE : FALSE;
    lf.lfStrikeOut = (wanted.style & font_style::kStrikeOut) != 0 ? TRUE : FALSE;
    lf.lfCharSet = wanted.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::wcsncpy(lf.lfFaceName, wanted.face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&lf));
}

FontSpec FontSpecFromLogFont(const LOGFONTW& font, UINT dpi) noexcept {
    FontSpec result;
    result.face.assign(font.lfFaceName, ::wcsnlen(font.lfFaceName, LF_FACESIZE));
    const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    result.size = ::MulDiv(height, 72, static_cast<int>(dpi));
    result.style = (font.lfWeight >= FW_BOLD ? font_style::kBold : 0) |
                   (font.lfItalic ? font_style::kItalic : 0) |
                   (font.lfUnderline ? font_style::kUnderline : 0) |
                   (font.lfStrikeOut ? font_style::kStrikeOut : 0);
    result.charset = font.lfCharSet;
    result.color = 0x80000000u | COLOR_WINDOWTEXT;
    return result;
}

FontSpec IconTitleFont() noexcept {
    LOGFONTW lf{};
    if (IconTitleLogFont(lf, kDesignDpi)) {
        return FontSpecFromLogFont(lf, kDesignDpi);
    }
    if (::GetObjectW(::GetStockObject(SYSTEM_FONT), sizeof lf, &lf) != 0) {
        return FontSpecFromLogFont(lf, SystemDpi());
    }
    return FontSpec{};
}

}  // namespace vt::win
