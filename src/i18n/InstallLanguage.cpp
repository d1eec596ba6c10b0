#include "i18n/InstallLanguage.h"

#include "i18n/AsciiCase.h"

namespace vt {
namespace {

constexpr const wchar_t* kKorean = L"korean";
constexpr const wchar_t* kEnglish = L"english";
constexpr unsigned kPrimaryLanguageMask = 0x3FF;
constexpr unsigned kLangKorean = 0x12;

// A table name the program has, in its stored spelling; empty for anything else.
std::wstring Known(std::wstring_view name) {
    if (AsciiEqualNoCase(name, kKorean)) {
        return kKorean;
    }
    if (AsciiEqualNoCase(name, kEnglish)) {
        return kEnglish;
    }
    return {};
}

}  // namespace

std::wstring ChooseInstallLanguage(std::wstring_view requested, std::wstring_view existing,
                                   bool koreanInterface) {
    if (!requested.empty()) {
        // Anything but Korean asked for explicitly means the default table.
        return Known(requested) == kKorean ? kKorean : kEnglish;
    }
    if (std::wstring kept = Known(existing); !kept.empty()) {
        return kept;
    }
    return koreanInterface ? kKorean : kEnglish;
}

bool IsKoreanLanguageId(unsigned languageId) {
    return (languageId & kPrimaryLanguageMask) == kLangKorean;
}

}  // namespace vt
