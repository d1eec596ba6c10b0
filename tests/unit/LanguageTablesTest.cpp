#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "i18n/AsciiCase.h"
#include "i18n/EmbeddedLanguageResources.h"
#include "i18n/LanguageTable.h"
#include "i18n/TextDecoding.h"
#include "support/SourceFiles.h"

namespace vt {
namespace {

struct Row {
    std::wstring section, key, text;
};

const std::vector<std::wstring> kSectionOrder = {L"vtmainform", L"vtaboutform", L"vtsettingsform",
                                                 L"vtupdateform"};

Bytes Table(const wchar_t* name) {
    const std::optional<Bytes> bytes = EmbeddedLanguageResources().Find(name);
    return bytes.value_or(Bytes{});
}

std::vector<Row> Rows(const Bytes& bytes) {
    std::vector<Row> rows;
    const std::wstring text = DecodeTableText(bytes, &DecodeCp1252);
    for (std::wstring_view line : SplitLines(text)) {
        const std::vector<std::wstring> fields = SplitFields(line, 4);
        EXPECT_EQ(fields.size(), 3u) << '[' << std::wstring(line) << ']';
        if (fields.size() >= 3) {
            rows.push_back({fields[0], fields[1], fields[2]});
        }
    }
    return rows;
}

// CR LF only, none at the end, and exactly one empty line wherever the section changes.
void ExpectStoredLayout(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    ASSERT_FALSE(lines.back().empty()) << "line end after the last line";
    std::wstring previousSection;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "line " << i + 1 << ": " << lines[i]);
        EXPECT_EQ(lines[i].find_first_of(L"\r\n"), std::wstring::npos);
        if (lines[i].empty()) {
            ASSERT_LT(i + 1, lines.size());
            ASSERT_FALSE(lines[i + 1].empty());
            continue;
        }
        const std::wstring section = AsciiLower(SplitFields(lines[i], 1).at(0));
        const bool afterEmptyLine = i > 0 && lines[i - 1].empty();
        EXPECT_EQ(afterEmptyLine, i > 0 && section != previousSection);
        previousSection = section;
    }
}

TEST(LanguageTables, EnglishIsStoredAs1252TextWithoutMark) {
    const Bytes bytes = Table(L"ENGLISH");
    ASSERT_GT(bytes.size(), 3u);
    EXPECT_NE(bytes[0], 0xEF);
    EXPECT_NE(bytes[0], 0xFF);
    std::vector<std::uint8_t> high;
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(high),
                 [](std::uint8_t b) { return b >= 0x80 || b == 0; });
    // The copyright sign, then registered signs only.
    ASSERT_FALSE(high.empty());
    EXPECT_EQ(high.front(), 0xA9);
    EXPECT_EQ(std::count(high.begin(), high.end(), 0xA9), 1);
    EXPECT_EQ(std::count(high.begin(), high.end(), 0xAE), std::ssize(high) - 1);
    ExpectStoredLayout(DecodeCp1252({reinterpret_cast<const char*>(bytes.data()), bytes.size()}));
}

TEST(LanguageTables, KoreanIsStoredAsUtf16LeWithMark) {
    const Bytes bytes = Table(L"KOREAN");
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes.size() % 2, 0u);
    ExpectStoredLayout(DecodeTableText(bytes, &DecodeCp1252));
}

TEST(LanguageTables, EmbeddedBytesAreTheFilesInResources) {
    EXPECT_EQ(test::ReadSourceFile("resources/lang/English.lng"), Table(L"english"));
    EXPECT_EQ(test::ReadSourceFile("resources/lang/Korean.lng"), Table(L"Korean"));
    EXPECT_FALSE(EmbeddedLanguageResources().Find(L"french").has_value());
    EXPECT_FALSE(EmbeddedLanguageResources().Find(L"").has_value());
}

TEST(LanguageTables, KoreanHasTheEnglishSectionsAndKeysInOrder) {
    const std::vector<Row> english = Rows(Table(L"english"));
    const std::vector<Row> korean = Rows(Table(L"korean"));
    ASSERT_EQ(english.size(), korean.size());
    std::vector<std::wstring> sections;
    for (std::size_t i = 0; i < english.size(); ++i) {
        const Row& en = english[i];
        const Row& ko = korean[i];
        SCOPED_TRACE(::testing::Message() << en.section << ',' << en.key);
        EXPECT_EQ(AsciiLower(en.section), AsciiLower(ko.section));
        EXPECT_EQ(en.key, ko.key);
        EXPECT_FALSE(en.text.empty());
        EXPECT_FALSE(ko.text.empty());
        if (sections.empty() || sections.back() != AsciiLower(en.section)) {
            sections.push_back(AsciiLower(en.section));
            EXPECT_EQ(en.key, en.section) << "a section opens with its title row";
        }
        // "&Optimize now" in English, "(&O)" after the Korean words.
        const std::size_t amp = en.text.find(L'&');
        if (amp != std::wstring::npos && amp + 1 < en.text.size()) {
            const std::wstring letter = AsciiLower(en.text.substr(amp + 1, 1));
            const std::size_t koAmp = ko.text.find(L"(&");
            ASSERT_NE(koAmp, std::wstring::npos) << "no accelerator";
            EXPECT_EQ(AsciiLower(ko.text.substr(koAmp + 2, 2)), letter + L")");
        } else {
            EXPECT_EQ(ko.text.find(L'&'), std::wstring::npos);
        }
    }
    EXPECT_EQ(sections, kSectionOrder);
}

TEST(LanguageTables, QuirksOfTheStoredRowsArePresent) {
    const Bytes englishBytes = Table(L"english");
    const std::string english(englishBytes.begin(), englishBytes.end());
    EXPECT_NE(english.find("VTMainForm,MessageBoxReset2,\"Click OK to continue.\" \r\n"),
              std::string::npos);
    EXPECT_NE(english.find("\"Please login to the computer as an Administrator.\" \r\n"),
              std::string::npos);
    const std::wstring korean = DecodeTableText(Table(L"korean"), &DecodeCp1252);
    EXPECT_NE(korean.find(L"\r\nVtMainForm,BenefitsLabel,\"Velotune의 장점\"\r\n"),
              std::wstring::npos);
    EXPECT_NE(korean.find(L"\"계속하시려면 OK를 클릭하십시오.\" \r\n"), std::wstring::npos);
}

// The About window's copyright warning and credits carry every role the window gives them, in
// both languages: the penalties, the own work and the only runtimes shipped with their owners,
// years, sites and licences, the trademark notice, and where support and updates are found.
TEST(LanguageTables, AboutTextsCarryTheirRoles) {
    struct Role {
        const wchar_t* key;
        std::vector<std::wstring> english, korean;
    };
    const std::vector<std::wstring> credits = {L"2001-2021 QENTRA",
                                               L"Free Software Foundation",
                                               L"https://gcc.gnu.org",
                                               L"mingw-w64",
                                               L"https://www.mingw-w64.org",
                                               L"2009-2016",
                                               L"Zope Public License 2.1",
                                               L"Velotune\u00AE",
                                               L"Windows\u00AE"};
    std::vector<std::wstring> englishCredits = credits;
    englishCredits.insert(englishCredits.end(),
                          {L"original work of QENTRA", L"GCC Runtime Library Exception",
                           L"no third-party library", L"support", L"updates"});
    std::vector<std::wstring> koreanCredits = credits;
    koreanCredits.insert(koreanCredits.end(),
                         {L"GCC 런타임 라이브러리 예외", L"지원", L"업데이트"});
    const Role roles[] = {
        {L"CopyrightWarningLabel",
         {L"copyright law and international treaties", L"severe civil and criminal penalties"},
         {L"저작권법과 국제 조약", L"민사 및 형사 처벌"}},
        {L"LicensedMemo", englishCredits, koreanCredits},
        {L"CopyrightLabel", {L"\u00A9 2001-2021 QENTRA"}, {L"\u00A9 2001-2021 QENTRA"}},
    };
    for (const Role& role : roles) {
        for (const bool korean : {false, true}) {
            SCOPED_TRACE(::testing::Message() << role.key << (korean ? " korean" : " english"));
            std::wstring text;
            for (const Row& row : Rows(Table(korean ? L"korean" : L"english"))) {
                if (AsciiLower(row.section) == L"vtaboutform" && row.key == role.key) {
                    text = row.text;
                }
            }
            for (const std::wstring& part : korean ? role.korean : role.english) {
                EXPECT_NE(text.find(part), std::wstring::npos) << ::testing::PrintToString(part);
            }
        }
    }
}

}  // namespace
}  // namespace vt
