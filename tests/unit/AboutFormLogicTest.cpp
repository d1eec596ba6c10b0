#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "i18n/EmbeddedLanguageResources.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "support/FakeForm.h"
#include "ui/AboutFormLogic.h"

namespace vt {
namespace {

using test::FakeComponent;
using test::FakeForm;
using Events = std::vector<std::wstring>;

const FontSpec kIconTitleFont{L"Segoe UI", 9, 0, 0, 1};
const FontSpec kTahomaBold10{L"Tahoma", 10, font_style::kBold, 0x000000, 1};
const FontSpec kLinkFont{L"Tahoma", 8, 0, 0xCC6600, 1};  // blue (0, 102, 204)

// The About window as plain data, with what was done to it in order.
class FakeAboutView final : public AboutFormView {
public:
    FakeAboutView() : form(L"VTAboutForm") {
        form.font = {L"MS Sans Serif", 8, 0, 0, 1};
        form.Add(L"AboutPanel", ComponentKind::Panel);
        form.Add(L"LargeIcon", ComponentKind::Other);
        version = &form.Add(L"VersionLabel");
        version->parentFont = false;
        version->font = kTahomaBold10;
        form.Add(L"CopyrightLabel").parentFont = true;
        link = &form.Add(L"LicenseAgreementLabel");
        link->parentFont = false;
        link->font = kLinkFont;
        form.Add(L"CopyrightWarningLabel").parentFont = true;
        form.Add(L"BannerLabel");
        form.Add(L"LicensedMemo", ComponentKind::Memo);
        form.Add(L"HelpButton", ComponentKind::PushButton);
        form.Add(L"CloseButton", ComponentKind::PushButton);
    }

    Form& Model() override { return form; }
    FontSpec IconTitleFont() const override { return kIconTitleFont; }
    std::wstring VersionText() const override { return version->text; }
    void SetVersionText(const std::wstring& text) override { version->SetText(text); }
    void FocusCloseButton() override { events.push_back(L"focus with " + version->text); }

    FakeForm form;
    FakeComponent* version;
    FakeComponent* link;
    Events events;
};

class RecordingSound final : public ClickSound {
public:
    explicit RecordingSound(Events& log) : events(log) {}
    void PlayClickSound() noexcept override { events.push_back(L"click"); }
    Events& events;
};

class RecordingLauncher final : public Launcher {
public:
    explicit RecordingLauncher(Events& log) : events(log) {}
    void OpenDocument(const std::wstring& file, const std::wstring& parameters) override {
        events.push_back(L"open " + file + L"|" + parameters);
        if (fails) {
            throw std::runtime_error("shell refused");
        }
    }
    void StartProgram(const std::wstring& file, const std::wstring&) override {
        events.push_back(L"start " + file);
    }
    void ShowHelpTopic(const std::wstring& file, const std::wstring&) override {
        events.push_back(L"help " + file);
    }
    void OpenLink(const std::wstring& target) override { events.push_back(L"link " + target); }
    std::wstring ProgramFolder() const override { return L"C:\\Program Files\\Velotune\\"; }

    Events& events;
    bool fails = false;
};

class AboutFormLogicTest : public ::testing::Test {
protected:
    void SetLanguage(const std::wstring& value) {
        registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                                value, false);
    }
    std::wstring Text(const wchar_t* name) {
        for (auto& component : view.form.components) {
            if (component->name == name) {
                return component->text;
            }
        }
        return L"(no such component)";
    }

    MemoryRegistry backend;
    CustomRegistry registry{backend};
    EmbeddedLanguageResources tables;
    Captions captions{registry, tables, &DecodeCp1252};
    FakeAboutView view;
    Events events;
    RecordingSound sound{events};
    RecordingLauncher launcher{events};
    ShortCutHandler shortCut = [this](int key, bool& handled) {
        events.push_back(L"shortcut " + std::to_wstring(key) + (handled ? L" handled" : L" new"));
    };
    AboutFormLogic logic{view, captions, sound, launcher, shortCut};
};

TEST_F(AboutFormLogicTest, EveryShowingBuildsTheVersionLineAnew) {
    struct Case {
        const wchar_t* language;
        const wchar_t* title;
        const wchar_t* versionLine;
    };
    const Case cases[] = {
        {L"english", L"About Velotune", L"Velotune 4  (Version : 4.3.29.2021)"},
        {L"KOREAN", L"Velotune 정보", L"Velotune 4  (버젼 : 4.3.29.2021)"},
        // A table the program does not have: the version alone, still only once.
        {L"french", L"", L"4.3.29.2021)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        SetLanguage(c.language);
        view.form.title.clear();
        view.events.clear();
        for (int showing = 1; showing <= 3; ++showing) {
            logic.FormShow();
            EXPECT_EQ(view.version->text, c.versionLine) << "showing " << showing;
        }
        EXPECT_EQ(view.form.title, c.title);
        // The focus comes last, on the finished window.
        EXPECT_EQ(view.events, Events(3, std::wstring(L"focus with ") + c.versionLine));
    }
}

TEST_F(AboutFormLogicTest, ShowingAppliesFontsBeforeTexts) {
    logic.FormShow();
    EXPECT_EQ(view.form.font, kIconTitleFont);
    // Adapted after the window font changed: the window's face, at least its size, own style.
    EXPECT_EQ(view.version->font, (FontSpec{L"Segoe UI", 10, font_style::kBold, 0, 1}));
    EXPECT_EQ(view.link->font, (FontSpec{L"Segoe UI", 9, 0, 0xCC6600, 1}));
    EXPECT_EQ(Text(L"LicenseAgreementLabel"), L"Click to view the end-user license terms");
    EXPECT_EQ(Text(L"CloseButton"), L"&Close");
    EXPECT_EQ(Text(L"HelpButton"), L"&Help");
    EXPECT_EQ(Text(L"BannerLabel"), L"More information about this software");
    EXPECT_NE(Text(L"LicensedMemo").find(L"Windows\u00ae"), std::wstring::npos);
    EXPECT_TRUE(events.empty());  // showing makes no sound and opens nothing
}

TEST_F(AboutFormLogicTest, LicenseLinkClicksThenOpensTheLicence) {
    logic.LicenseAgreementLabelClick();
    EXPECT_EQ(events, (Events{L"click", L"open C:\\Program Files\\Velotune\\License.rtf|"}));
}

TEST_F(AboutFormLogicTest, HelpButtonPassesF1SilentlyToTheMainWindow) {
    logic.HelpButtonClick();
    EXPECT_EQ(events, (Events{L"shortcut 112 new"}));
}

TEST_F(AboutFormLogicTest, FailuresStayInside) {
    launcher.fails = true;
    shortCut = [](int, bool&) { throw std::runtime_error("no help"); };
    AboutFormLogic failing{view, captions, sound, launcher, shortCut};
    EXPECT_NO_THROW(failing.LicenseAgreementLabelClick());
    EXPECT_NO_THROW(failing.HelpButtonClick());
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(AboutFormLogicTest, HoverUnderlinesTheLinkAndKeepsItsColour) {
    logic.LicenseAgreementLabelMouseEnter(*view.link);
    EXPECT_EQ(view.link->font, (FontSpec{L"Tahoma", 8, font_style::kUnderline, 0xCC6600, 1}));
    logic.LicenseAgreementLabelMouseEnter(*view.link);
    EXPECT_EQ(view.link->font->style, font_style::kUnderline);
    logic.LicenseAgreementLabelMouseLeave(*view.link);
    EXPECT_EQ(view.link->font, kLinkFont);
    // Other style bits stay as they are.
    logic.LicenseAgreementLabelMouseEnter(*view.version);
    EXPECT_EQ(view.version->font->style, font_style::kBold | font_style::kUnderline);
    logic.LicenseAgreementLabelMouseLeave(*view.version);
    EXPECT_EQ(view.version->font->style, font_style::kBold);
    // A sender without a font of its own is left alone.
    FakeComponent bare(L"Bare", ComponentKind::Label);
    logic.LicenseAgreementLabelMouseEnter(bare);
    EXPECT_FALSE(bare.font.has_value());
}

}  // namespace
}  // namespace vt
