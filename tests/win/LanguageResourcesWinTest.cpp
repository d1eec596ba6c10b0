#include <windows.h>

#include <gtest/gtest.h>

#include "i18n/Captions.h"
#include "i18n/EmbeddedLanguageResources.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "support/FakeForm.h"
#include "support/SourceFiles.h"

namespace vt {
namespace {

TEST(WinLanguageResources, FindTheTablesByNameInAnyCase) {
    const WinLanguageResources resources;
    const std::optional<Bytes> englishFile = test::ReadSourceFile("resources/lang/English.lng");
    const std::optional<Bytes> koreanFile = test::ReadSourceFile("resources/lang/Korean.lng");
    ASSERT_TRUE(englishFile && koreanFile);
    for (const wchar_t* name : {L"english", L"ENGLISH", L"English"}) {
        EXPECT_EQ(resources.Find(name), englishFile) << name;
    }
    for (const wchar_t* name : {L"korean", L"KOREAN", L"kOREAN"}) {
        EXPECT_EQ(resources.Find(name), koreanFile) << name;
    }
    // The portable build's arrays hold the same bytes.
    EXPECT_EQ(EmbeddedLanguageResources().Find(L"english"), englishFile);
    for (const wchar_t* name : {L"french", L"", L"englis"}) {
        EXPECT_FALSE(resources.Find(name).has_value()) << name;
    }
}

TEST(AnsiCodePage, DecodesThroughTheSystemCodePage) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::wstring decoded = DecodeAnsiCodePage(all);
    ASSERT_EQ(decoded.size(), all.size());
    EXPECT_EQ(decoded.substr(0, 127), DecodeCp1252(all.substr(0, 127)));  // ASCII everywhere
    if (::GetACP() != 1252) {
        GTEST_SKIP() << "the system code page is " << ::GetACP();
    }
    // The portable decoder stands in for code page 1252 on every byte.
    EXPECT_EQ(decoded, DecodeCp1252(all));
    EXPECT_EQ(DecodeAnsiCodePage(""), L"");
}

TEST(WinLanguageResources, CaptionsComeFromTheProgramsResources) {
    MemoryRegistry backend;
    CustomRegistry registry(backend);
    const WinLanguageResources resources;
    const Captions captions(registry, resources, &DecodeAnsiCodePage);

    test::FakeForm about(L"VTAboutForm");
    auto& copyright = about.Add(L"CopyrightLabel", ComponentKind::Label);
    captions.ApplyCaptions(about);
    EXPECT_EQ(about.title, L"About Velotune");
    EXPECT_EQ(copyright.text.rfind(L"Copyright \u00A9 2001-2021 QENTRA", 0), 0u);

    registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                            L"KOREAN", false);
    EXPECT_EQ(captions.GetCaption(L"VTMainForm", L"GoButton"), L"지금 최적화(&O)");
}

}  // namespace
}  // namespace vt
