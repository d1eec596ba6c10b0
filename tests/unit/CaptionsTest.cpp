#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "i18n/AsciiCase.h"
#include "i18n/Captions.h"
#include "i18n/EmbeddedLanguageResources.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "support/FakeForm.h"

namespace vt {
namespace {

using test::FakeForm;

// Tables given by the test, under any name.
class FakeTables final : public LanguageResources {
public:
    std::optional<Bytes> Find(std::wstring_view name) const override {
        const auto found = tables.find(AsciiLower(name));
        return found == tables.end() ? std::nullopt : std::optional<Bytes>(found->second);
    }
    std::map<std::wstring, Bytes> tables;
};

Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

class CaptionsTest : public ::testing::Test {
protected:
    void SetLanguage(const std::wstring& value) {
        registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                                value, false);
    }
    // The embedded tables, as the program has them.
    Captions Real() const { return Captions(registry, embedded, &DecodeCp1252); }
    // One 8-bit table, chosen as "english".
    Captions With(std::string_view table) {
        fake.tables[L"english"] = BytesOf(table);
        return Captions(registry, fake, &DecodeCp1252);
    }

    MemoryRegistry backend;
    CustomRegistry registry{backend};
    EmbeddedLanguageResources embedded;
    FakeTables fake;
};

TEST_F(CaptionsTest, LanguageValueChoosesTheTable) {
    const std::wstring english = L"&Optimize now";
    const std::wstring korean = L"지금 최적화(&O)";
    struct Case {
        std::optional<std::wstring> language;
        std::wstring expected;
    };
    const Case cases[] = {
        {std::nullopt, english}, {L"", english},      {L"english", english},
        {L"English", english},   {L"korean", korean}, {L"KOREAN", korean},
        {L"kOrEaN", korean},     {L"french", L""},    {L" english", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.language ? c.language->c_str() : L"(missing)"));
        if (c.language) {
            SetLanguage(*c.language);
        }
        EXPECT_EQ(Real().GetCaption(L"VTMainForm", L"GoButton"), c.expected);
    }
}

TEST_F(CaptionsTest, EveryCallReadsTheLanguageAnew) {
    const Captions captions = Real();
    EXPECT_EQ(captions.GetCaption(L"VTAboutForm", L"CloseButton"), L"&Close");
    SetLanguage(L"korean");
    EXPECT_EQ(captions.GetCaption(L"VTAboutForm", L"CloseButton"), L"닫기(&C)");
    EXPECT_EQ(backend.OpenKeyCount(), 0u);
}

TEST_F(CaptionsTest, UnknownLanguageLeavesWindowsEmpty) {
    SetLanguage(L"french");
    FakeForm window(L"VTMainForm");
    auto& go = window.Add(L"GoButton", ComponentKind::PushButton);
    Real().ApplyCaptions(window);
    EXPECT_EQ(window.titleWrites, 0);
    EXPECT_EQ(go.textWrites, 0);
    for (const wchar_t* key : {L"VTMainForm", L"MessageBoxReset1", L"MessageChange1"}) {
        EXPECT_EQ(Real().GetCaption(L"VTMainForm", key), L"") << key;
        EXPECT_EQ(Real().GetCaption(L"VTSettingsForm", key), L"") << key;
    }
}

TEST_F(CaptionsTest, ApplyCaptionsFillsTheMainWindowInEitherLanguage) {
    struct Case {
        const wchar_t* language;
        const wchar_t* title;
        const wchar_t* benefits;  // the Korean row spells its section "VtMainForm"
        const wchar_t* updates;
        const wchar_t* helpPopup;
    };
    const Case cases[] = {
        {L"english", L"Velotune - Make your games run faster", L"Benefits of Velotune",
         L" &Check for updates ...", L"Get &help with Velotune"},
        {L"korean", L"Velotune - 당신의 게임을 빠르게!", L"Velotune의 장점",
         L" 업데이트 체크(&C) ...", L"Velotune 도움말(&H)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.language);
        SetLanguage(c.language);
        FakeForm window(L"VTMainForm");
        auto& benefits = window.Add(L"BenefitsLabel", ComponentKind::Label);
        auto& updates = window.Add(L"UpdatesButton", ComponentKind::PushButton);
        auto& popup = window.Add(L"HelpFilePopup", ComponentKind::MenuItem);
        auto& panel = window.Add(L"MainPanel", ComponentKind::Panel);
        auto& combo = window.Add(L"WindowsCombo", ComponentKind::Other);

        Real().ApplyCaptions(window);

        EXPECT_EQ(window.title, c.title);
        EXPECT_EQ(benefits.text, c.benefits);
        EXPECT_EQ(updates.text, c.updates);
        EXPECT_EQ(popup.text, c.helpPopup);
        EXPECT_EQ(panel.textWrites, 0);  // no row
        EXPECT_EQ(combo.textWrites, 0);
    }
}

TEST_F(CaptionsTest, AboutWindowShowsCopyrightAndTrademarkSigns) {
    for (const wchar_t* language : {L"english", L"korean"}) {
        SCOPED_TRACE(::testing::Message() << language);
        SetLanguage(language);
        FakeForm window(L"VTAboutForm");
        auto& copyright = window.Add(L"CopyrightLabel", ComponentKind::Label);
        auto& memo = window.Add(L"LicensedMemo", ComponentKind::Memo);
        auto& close = window.Add(L"CloseButton", ComponentKind::PushButton);
        Real().ApplyCaptions(window);
        EXPECT_NE(copyright.text.find(L"\u00A9 2001-2021 QENTRA"), std::wstring::npos);
        EXPECT_NE(memo.text.find(L"Windows\u00AE"), std::wstring::npos);
        EXPECT_NE(close.text.find(L"&C"), std::wstring::npos);
    }
}

TEST_F(CaptionsTest, GetCaptionReadsTheRealTables) {
    EXPECT_EQ(Real().GetCaption(L"vtmainform", L"GOBUTTON"), L"&Optimize now");
    // Blank after the closing quote: skipped, and the rows after it are still read.
    EXPECT_EQ(Real().GetCaption(L"VTMainForm", L"MessageBoxReset2"), L"Click OK to continue.");
    EXPECT_EQ(Real().GetCaption(L"VTMainForm", L"MessageBoxChangeRestart3"),
              L"Click Yes to restart the computer now, or click No to restart later.");
    EXPECT_EQ(Real().GetCaption(L"VTUpdateForm", L"MessageBoxAdmin2"),
              L"Please login to the computer as an Administrator.");
    EXPECT_EQ(Real().GetCaption(L"VTUpdateForm", L"MessageBoxUpdate2"),
              L"Do you want to download and install a new version of this software?");
    EXPECT_EQ(Real().GetCaption(L"VTAboutForm", L"VersionLabel"), L"Velotune 4  (Version : ");
    EXPECT_EQ(Real().GetCaption(L"VTMainForm", L"HelpButton"), L"");  // an About key
    SetLanguage(L"korean");
    EXPECT_EQ(Real().GetCaption(L"VTMainForm", L"BenefitsLabel"), L"Velotune의 장점");
    EXPECT_EQ(Real().GetCaption(L"VTSettingsForm", L"MessageChange10"),
              L"새로운 게이밍 설정을 쓰는 중");
}

TEST_F(CaptionsTest, GetCaptionFollowsTheRowRules) {
    struct Case {
        const char* what;
        const char* table;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"unquoted text falls apart", "S,K,Optimize now", L"Optimize"},
        {"doubled quotes", "S,K,\"say \"\"hi\"\"\"", L"say \"hi\""},
        {"blanks inside quotes belong to the text", "S,K,\" a, b \"", L" a, b "},
        {"blank after the closing quote", "S,K,\"text\" ", L"text"},
        {"quoted section and key", "\"S\",\"K\",\"text\"", L"text"},
        {"section and key in other case", "s,k,\"text\"", L"text"},
        {"fourth field ignored", "S,K,\"one\",\"two\"", L"one"},
        {"unterminated quote", "S,K,\"runs to the end, here", L"runs to the end, here"},
        {"no matching row", "S,X,\"x\"\r\nT,K,\"x\"", L""},
        {"later row wins", "S,K,\"one\"\r\nS,K,\"two\"", L"two"},
        {"later empty text wins", "S,K,\"one\"\r\nS,K,", L""},
        {"empty lines skipped", "S,K,\"one\"\r\n\r\n\n\r\nS,K,\"two\"", L"two"},
        {"line of blanks ends", "S,K,\"one\"\r\n \t \r\nS,K,\"two\"", L"one"},
        {"one field of the section ends", "S,K,\"one\"\r\nS\r\nS,K,\"two\"", L"one"},
        {"one field of another section passes", "S,K,\"one\"\r\nT\r\nS,K,\"two\"", L"two"},
        {"two fields with the key end", "S,K,\"one\"\r\nS,K\r\nS,K,\"two\"", L"one"},
        {"two fields with another key pass", "S,K,\"one\"\r\nS,X\r\nS,K,\"two\"", L"two"},
        {"two fields of another section pass", "S,K,\"one\"\r\nT,K\r\nS,K,\"two\"", L"two"},
        {"lone CR and LF end lines", "T,A,\"a\"\rS,K,\"one\"\nT,B,\"b\"", L"one"},
        {"1252 text", "S,K,\"\xA9 \x80\"", L"\u00A9 \u20AC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(With(c.table).GetCaption(L"S", L"K"), c.expected);
    }
}

// The main window's skeleton: a button, a component of an unhandled kind, one without a name.
FakeForm MainSkeleton() {
    FakeForm window(L"VTMainForm");
    window.Add(L"GoButton", ComponentKind::PushButton);
    window.Add(L"WindowsCombo", ComponentKind::Other);
    window.Add(L"", ComponentKind::Label);
    return window;
}

TEST_F(CaptionsTest, ApplyCaptionsFollowsTheRowRules) {
    struct Case {
        const char* what;
        const char* table;
        std::optional<std::wstring> title;
        std::optional<std::wstring> go;
    };
    const Case cases[] = {
        {"title and caption", "VTMainForm,VTMainForm,\"T\"\r\nVTMainForm,GoButton,\"G\"", L"T",
         L"G"},
        {"title row in other case sets nothing", "VTMainForm,vtmainform,\"T\"", {}, {}},
        {"section in other case", "vtmainFORM,VTMainForm,\"T\"\r\nVTMAINFORM,gobutton,\"G\"", L"T",
         L"G"},
        {"unquoted text falls apart", "VTMainForm,GoButton,Optimize now", {}, L"Optimize"},
        {"later row wins", "VTMainForm,GoButton,\"1\"\r\nVTMainForm,GoButton,\"2\"", {}, L"2"},
        {"other sections ignored",
         "VTAboutForm,GoButton,\"A\"\r\nVTAboutForm,VTMainForm,\"A\"",
         {},
         {}},
        {"empty line skipped", "VTMainForm,GoButton,\"G\"\r\n\r\nVTMainForm,VTMainForm,\"T\"", L"T",
         L"G"},
        {"line of blanks ends",
         "VTMainForm,GoButton,\"G\"\r\n   \r\nVTMainForm,VTMainForm,\"T\"",
         {},
         L"G"},
        {"one field of the section ends", "VTMainForm\r\nVTMainForm,GoButton,\"G\"", {}, {}},
        {"one field of another section passes", "Other\r\nVTMainForm,GoButton,\"G\"", {}, L"G"},
        {"two-field title row ends", "VTMainForm,VTMainForm\r\nVTMainForm,GoButton,\"G\"", {}, {}},
        {"two-field row of a button ends",
         "VTMainForm,GoButton\r\nVTMainForm,VTMainForm,\"T\"",
         {},
         {}},
        {"two-field row of an unhandled kind passes",
         "VTMainForm,WindowsCombo\r\nVTMainForm,GoButton,\"G\"",
         {},
         L"G"},
        {"two-field message row passes",
         "VTMainForm,MessageBoxReset1\r\nVTMainForm,GoButton,\"G\"",
         {},
         L"G"},
        {"empty key names no component",
         "VTMainForm,,\"E\"\r\nVTMainForm,GoButton,\"G\"",
         {},
         L"G"},
        {"two-field row with an empty key passes",
         "VTMainForm,\r\nVTMainForm,GoButton,\"G\"",
         {},
         L"G"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeForm window = MainSkeleton();
        With(c.table).ApplyCaptions(window);
        EXPECT_EQ(window.titleWrites, c.title ? 1 : 0);
        EXPECT_EQ(window.title, c.title.value_or(L""));
        EXPECT_EQ(window[0].text, c.go.value_or(L""));
        EXPECT_EQ(window[1].textWrites, 0);
        EXPECT_EQ(window[2].textWrites, 0);  // an empty key names no component
    }
}

TEST_F(CaptionsTest, SixComponentKindsTakeTexts) {
    FakeForm window(L"W");
    const ComponentKind kinds[] = {ComponentKind::Label,      ComponentKind::Panel,
                                   ComponentKind::PushButton, ComponentKind::MenuItem,
                                   ComponentKind::Memo,       ComponentKind::Edit,
                                   ComponentKind::Other};
    std::string table;
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        window.Add(L"C" + std::to_wstring(i), kinds[i]);
        table += "W,c" + std::to_string(i) + ",\"text " + std::to_string(i) + "\"\r\n";
    }
    table += "W,C6\r\nW,C0,\"after\"";  // a short row naming the unhandled kind does not end it
    With(table).ApplyCaptions(window);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(window[i].text, i == 0 ? L"after" : L"text " + std::to_wstring(i)) << i;
    }
    EXPECT_EQ(window[6].textWrites, 0);
}

TEST_F(CaptionsTest, EveryEncodingReadsTheSameRows) {
    const std::u16string text = u"S,K,\"\uAC00\u00A9\"\r\nS,X,\"y\"";
    Bytes le = {0xFF, 0xFE};
    Bytes be = {0xFE, 0xFF};
    for (char16_t unit : text) {
        le.insert(le.end(),
                  {static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8)});
        be.insert(be.end(),
                  {static_cast<std::uint8_t>(unit >> 8), static_cast<std::uint8_t>(unit & 0xFF)});
    }
    const Bytes utf8 = BytesOf("\xEF\xBB\xBFS,K,\"\xEA\xB0\x80\xC2\xA9\"\r\nS,X,\"y\"");
    for (const Bytes& bytes : {le, be, utf8}) {
        fake.tables[L"korean"] = bytes;
        SetLanguage(L"Korean");
        const Captions captions(registry, fake, &DecodeCp1252);
        EXPECT_EQ(captions.GetCaption(L"S", L"K"), L"\uAC00\u00A9");
        EXPECT_EQ(captions.GetCaption(L"S", L"X"), L"y");
    }
}

TEST_F(CaptionsTest, MalformedTablesEndQuietly) {
    const std::string row = "S,K,\"x\"";
    Bytes oddUtf16 = {0xFF, 0xFE};
    for (char ch : row) {
        oddUtf16.insert(oddUtf16.end(), {static_cast<std::uint8_t>(ch), 0});
    }
    oddUtf16.push_back('Z');
    Bytes loneSurrogate = {0xFF, 0xFE, 'S', 0, ',', 0, 'K', 0, ',', 0, 0x00, 0xD8, 'y', 0};

    fake.tables[L"odd"] = oddUtf16;
    fake.tables[L"surrogate"] = loneSurrogate;
    fake.tables[L"nul"] = Bytes{'S', ',', 'K', ',', '"', 'a', 0, 'b', '"'};
    fake.tables[L"empty"] = Bytes{};
    const Captions captions(registry, fake, &DecodeCp1252);

    SetLanguage(L"odd");
    EXPECT_EQ(captions.GetCaption(L"S", L"K"), L"x");
    SetLanguage(L"surrogate");
    const std::wstring withSurrogate = captions.GetCaption(L"S", L"K");
    ASSERT_EQ(withSurrogate.size(), 2u);
    EXPECT_EQ(withSurrogate[1], L'y');
    SetLanguage(L"nul");
    EXPECT_EQ(captions.GetCaption(L"S", L"K"), std::wstring(L"a\0b", 3));
    SetLanguage(L"empty");
    EXPECT_EQ(captions.GetCaption(L"S", L"K"), L"");
}

TEST_F(CaptionsTest, MegabyteLinesAreReadWhole) {
    const std::string longText(1 << 20, 'x');
    std::string words;
    for (int i = 0; i < (1 << 19); ++i) {
        words += "w ";
    }
    const Captions captions = With("S,Long,\"" + longText + "\"\r\n" + words + "\r\nS,K,\"after\"");
    EXPECT_EQ(captions.GetCaption(L"S", L"Long").size(), longText.size());
    EXPECT_EQ(captions.GetCaption(L"S", L"K"), L"after");
    FakeForm window(L"S");
    auto& label = window.Add(L"K", ComponentKind::Label);
    captions.ApplyCaptions(window);
    EXPECT_EQ(label.text, L"after");
}

}  // namespace
}  // namespace vt
