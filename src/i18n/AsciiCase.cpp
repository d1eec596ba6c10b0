#include "i18n/AsciiCase.h"

#include <algorithm>

namespace vt {
namespace {

wchar_t Lower(wchar_t ch) {
    return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch + 32) : ch;
}

}  // namespace

std::wstring AsciiLower(std::wstring_view text) {
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(), Lower);
    return out;
}

bool AsciiEqualNoCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return Lower(x) == Lower(y); });
}

}  // namespace vt
