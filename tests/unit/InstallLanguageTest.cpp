#include <gtest/gtest.h>

#include "i18n/InstallLanguage.h"

namespace vt {
namespace {

TEST(InstallLanguage, PropertyThenExistingValueThenDisplayLanguage) {
    struct Case {
        const wchar_t* requested;
        const wchar_t* existing;
        bool koreanInterface;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"", L"", false, L"english"},
        {L"", L"", true, L"korean"},
        {L"korean", L"", false, L"korean"},
        {L"KOREAN", L"english", false, L"korean"},
        {L"english", L"", true, L"english"},        // asked for, against the display language
        {L"klingon", L"korean", true, L"english"},  // never a table the program lacks
        {L"", L"Korean", false, L"korean"},         // an upgrade keeps the user's choice
        {L"", L"english", true, L"english"},
        {L"", L"french", true, L"korean"},  // an unknown stored name is replaced
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << std::wstring(c.requested) << "\" \""
                                        << std::wstring(c.existing) << "\" " << c.koreanInterface);
        EXPECT_EQ(ChooseInstallLanguage(c.requested, c.existing, c.koreanInterface), c.expected);
    }
}

TEST(InstallLanguage, KoreanInAnyRegion) {
    EXPECT_TRUE(IsKoreanLanguageId(0x0412));   // Korean (Korea)
    EXPECT_TRUE(IsKoreanLanguageId(0x0012));   // Korean, neutral
    EXPECT_FALSE(IsKoreanLanguageId(0x0409));  // English (United States)
    EXPECT_FALSE(IsKoreanLanguageId(0x0411));  // Japanese
}

}  // namespace
}  // namespace vt
