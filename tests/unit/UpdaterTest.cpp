#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "i18n/Captions.h"
#include "i18n/EmbeddedLanguageResources.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"
#include "shell/WebHost.h"
#include "update/ProgramKeyRights.h"
#include "update/Updater.h"
#include "update/UpdaterLanguage.h"

namespace vt {
namespace {

class FakeQuery final : public UpdateQuery {
public:
    int QueryUpdate() noexcept override {
        ++calls;
        return result;
    }
    int result = -1;
    int calls = 0;
};

// Records every launch; the updater may only ever open a link.
class FakeLauncher final : public Launcher {
public:
    void OpenDocument(const std::wstring& file, const std::wstring&) override {
        launches.push_back(L"document " + file);
    }
    void StartProgram(const std::wstring& file, const std::wstring&) override {
        launches.push_back(L"program " + file);
    }
    void ShowHelpTopic(const std::wstring& file, const std::wstring&) override {
        launches.push_back(L"help " + file);
    }
    void OpenLink(const std::wstring& target) override { launches.push_back(L"link " + target); }
    std::wstring ProgramFolder() const override { return L"C:\\Program Files\\QENTRA\\Velotune\\"; }
    std::vector<std::wstring> launches;
};

class FakePlatform final : public UpdaterPlatform {
public:
    struct Shown {
        std::wstring caption, text;
        bool question;
        Icon icon;
    };
    bool ClaimSingleInstance() override { return first; }
    void ActivateRunningInstance() override { ++activations; }
    bool CanWriteProgramKey() override { return rights; }
    void Tell(const std::wstring& caption, const std::wstring& text, Icon icon) override {
        shown.push_back({caption, text, false, icon});
    }
    bool AskYesNo(const std::wstring& caption, const std::wstring& text) override {
        shown.push_back({caption, text, true, Icon::Question});
        return yes;
    }
    bool first = true;
    bool rights = true;
    bool yes = false;
    int activations = 0;
    std::vector<Shown> shown;
};

class UpdaterTest : public ::testing::Test {
protected:
    UpdaterOutcome Run(const std::wstring& host = kWebHost) {
        const Captions captions(registry, tables, &DecodeCp1252);
        return RunUpdater(captions, query, launcher, platform, host);
    }
    MemoryRegistry backend;
    CustomRegistry registry{backend};
    EmbeddedLanguageResources tables;
    FakeQuery query;
    FakeLauncher launcher;
    FakePlatform platform;
};

using Icon = UpdaterPlatform::Icon;

TEST_F(UpdaterTest, EachAnswerGetsItsMessage) {
    struct Case {
        const char* name;
        bool rights;
        int answer;
        bool yes;
        UpdaterOutcome outcome;
        int queries;
        std::wstring text;
        bool question;
        Icon icon;
        std::vector<std::wstring> launches;
    };
    const std::wstring page = L"link http://velotune.example/downloads/";
    const Case cases[] = {
        {"no rights",
         false,
         1,
         true,
         UpdaterOutcome::NoRights,
         0,
         L"You do not have the proper privilege level to update this software.\r\n\r\n"
         L"Please login to the computer as an Administrator.",
         false,
         Icon::Warning,
         {}},
        {"no answer",
         true,
         -1,
         true,
         UpdaterOutcome::NoConnection,
         1,
         L"Could not connect to the internet to check for software updates.\r\n\r\n"
         L"Please check if your internet connection is available.",
         false,
         Icon::Warning,
         {}},
        {"current",
         true,
         0,
         true,
         UpdaterOutcome::NoUpdate,
         1,
         L"There are no updates available for this software.\r\n\r\n"
         L"You have the current version of the software installed.",
         false,
         Icon::Information,
         {}},
        {"answer 2",
         true,
         2,
         true,
         UpdaterOutcome::NoUpdate,
         1,
         L"There are no updates available for this software.\r\n\r\n"
         L"You have the current version of the software installed.",
         false,
         Icon::Information,
         {}},
        {"update, yes",
         true,
         1,
         true,
         UpdaterOutcome::DownloadPageOpened,
         1,
         L"This software could not be automatically updated.\r\n\r\n"
         L"Do you want to manually download and install a new version of this software?",
         true,
         Icon::Question,
         {page}},
        {"update, no",
         true,
         1,
         false,
         UpdaterOutcome::UpdateDeclined,
         1,
         L"This software could not be automatically updated.\r\n\r\n"
         L"Do you want to manually download and install a new version of this software?",
         true,
         Icon::Question,
         {}},
        {"unknown answer",
         true,
         7,
         true,
         UpdaterOutcome::NoConnection,
         1,
         L"Could not connect to the internet to check for software updates.\r\n\r\n"
         L"Please check if your internet connection is available.",
         false,
         Icon::Warning,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        query = FakeQuery{};
        launcher.launches.clear();
        platform = FakePlatform{};
        platform.rights = c.rights;
        platform.yes = c.yes;
        query.result = c.answer;

        EXPECT_EQ(Run(L"velotune.example"), c.outcome);
        EXPECT_EQ(query.calls, c.queries);
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_EQ(platform.shown[0].caption, L"Update Velotune");
        EXPECT_EQ(platform.shown[0].text, c.text);
        EXPECT_EQ(platform.shown[0].question, c.question);
        EXPECT_EQ(platform.shown[0].icon, c.icon);
        EXPECT_EQ(launcher.launches, c.launches);
    }
}

TEST_F(UpdaterTest, SecondUpdaterHandsOverWithoutAskingAnything) {
    platform.first = false;
    query.result = 1;
    platform.yes = true;
    EXPECT_EQ(Run(), UpdaterOutcome::AlreadyRunning);
    EXPECT_EQ(platform.activations, 1);
    EXPECT_EQ(query.calls, 0);
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_TRUE(launcher.launches.empty());
}

TEST_F(UpdaterTest, SpeaksTheLanguageTheProgramKeyNames) {
    registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                            L"KOREAN", false);
    query.result = 0;
    Run();
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0].caption, L"Velotune 업데이트");
    EXPECT_EQ(platform.shown[0].text,
              L"이 소프트웨어에 사용할 수 있는 업데이트가 없습니다.\r\n\r\n"
              L"최신 버전의 소프트웨어가 설치되어 있습니다.");
}

TEST_F(UpdaterTest, UnknownLanguageFallsBackToEnglishNotToEmptyMessages) {
    const TablesWithEnglishFallback fallback(tables);
    for (const wchar_t* language : {L"klingon", L"", L"korean"}) {
        SCOPED_TRACE(testing::Message() << language);
        registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                                language, false);
        platform = FakePlatform{};
        query.result = 0;
        RunUpdater(Captions(registry, fallback, &DecodeCp1252), query, launcher, platform,
                   kWebHost);
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_EQ(platform.shown[0].caption,
                  std::wstring(language) == L"korean" ? L"Velotune 업데이트" : L"Update Velotune");
    }
}

TEST_F(UpdaterTest, DownloadPageIsTheBuildsHostPage) {
    EXPECT_EQ(DownloadPageOf(kWebHost), DownloadPage());
    EXPECT_EQ(DownloadPageOf(L"127.0.0.1:8080"), L"http://127.0.0.1:8080/downloads/");
}

TEST(ProgramKeyRights, FollowTheRightsOnTheKeyOrItsNearestParent) {
    struct Case {
        const char* name;
        bool keyExists;
        bool readOnly;
        bool expected;
    };
    const Case cases[] = {
        {"own key, administrator", true, false, true},
        {"own key, user", true, true, false},
        {"no key yet, administrator", false, false, true},
        {"no key yet, user", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry backend;
        CustomRegistry registry(backend);
        if (c.keyExists) {
            registry.WriteRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                                    L"english", false);
        } else {
            // Only the parent exists, as before a first install.
            registry.WriteRegString(program_key::kRoot, L"\\Software\\Other\\", L"x", L"y", false);
        }
        backend.SetReadOnly(program_key::kRoot, c.readOnly);
        const auto before = backend.Values();

        EXPECT_EQ(CanWriteProgramKey(backend), c.expected);
        EXPECT_EQ(backend.Values(), before);
        EXPECT_EQ(backend.KeyExists(program_key::kRoot, L"Software\\QENTRA\\Velotune"),
                  c.keyExists);
        EXPECT_EQ(backend.OpenKeyCount(), 0u);
    }
}

}  // namespace
}  // namespace vt
