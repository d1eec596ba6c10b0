#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/Captions.h"
#include "i18n/EmbeddedLanguageResources.h"
#include "registry/MemoryRegistry.h"
#include "support/RecordingLauncher.h"
#include "update/CheckMode.h"

namespace vt {
namespace {

using Events = std::vector<std::wstring>;

class FixedQuery final : public UpdateQuery {
public:
    FixedQuery(int result, Events& events) : result_(result), events_(events) {}
    int QueryUpdate() noexcept override {
        events_.push_back(L"query");
        return result_;
    }

private:
    int result_;
    Events& events_;
};

class RecordingCloser final : public WindowCloser {
public:
    explicit RecordingCloser(Events& events) : events_(events) {}
    void CloseWindowByClass(const std::wstring& className) noexcept override {
        events_.push_back(L"close " + className);
    }

private:
    Events& events_;
};

class AnsweringDialog final : public MessageDialog {
public:
    AnsweringDialog(int answer, Events& events) : answer_(answer), events_(events) {}
    int ShowMessage(const std::wstring& text, const std::wstring& caption,
                    unsigned type) noexcept override {
        events_.push_back(L"ask " + caption + L"|" + text + L"|" + std::to_wstring(type));
        return answer_;
    }

private:
    int answer_;
    Events& events_;
};

constexpr int kIdNo = 7;

const std::wstring kQuestion =
    L"ask Velotune - Make your games run faster|"
    L"An update for this software is available to download.\r\n\r\n"
    L"Do you want to download and install a new version of this software?|68";

TEST(CheckMode, OnlyAnAvailableUpdateClosesTheProgramAsksAndStartsTheUpdater) {
    struct Case {
        int result;
        int answer;
        Events expected;
    };
    const Events closeAll = {L"query", L"close TVTAboutForm", L"close TVTSettingsForm",
                             L"close TVTMainForm", kQuestion};
    Events yes = closeAll;
    yes.push_back(L"program C:\\Program Files\\Velotune\\VelotuneUpdate.exe|");
    const Case cases[] = {
        {1, kIdYes, yes},        {1, kIdNo, closeAll},    {1, 2 /*IDCANCEL*/, closeAll},
        {0, kIdYes, {L"query"}}, {2, kIdYes, {L"query"}}, {-1, kIdYes, {L"query"}},
        {3, kIdYes, {L"query"}},
    };
    MemoryRegistry backend;
    const CustomRegistry registry(backend);
    const EmbeddedLanguageResources tables;
    const Captions captions(registry, tables, &DecodeCp1252);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "result " << c.result << ", answer " << c.answer);
        Events events;
        FixedQuery query(c.result, events);
        RecordingCloser closer(events);
        AnsweringDialog dialog(c.answer, events);
        testing::RecordingLauncher launcher(events);
        RunCheckMode(query, closer, dialog, launcher, captions);
        EXPECT_EQ(events, c.expected);
    }
}

TEST(CheckMode, AThrowingLauncherEndsSilently) {
    class ThrowingLauncher final : public Launcher {
    public:
        void OpenDocument(const std::wstring&, const std::wstring&) override {}
        void StartProgram(const std::wstring&, const std::wstring&) override { throw 1; }
        void ShowHelpTopic(const std::wstring&, const std::wstring&) override {}
        void OpenLink(const std::wstring&) override {}
        std::wstring ProgramFolder() const override { return L"C:\\"; }
    };
    MemoryRegistry backend;
    const CustomRegistry registry(backend);
    const EmbeddedLanguageResources tables;
    const Captions captions(registry, tables, &DecodeCp1252);
    Events events;
    FixedQuery query(1, events);
    RecordingCloser closer(events);
    AnsweringDialog dialog(kIdYes, events);
    ThrowingLauncher launcher;
    RunCheckMode(query, closer, dialog, launcher, captions);  // would end the process if it let go
    EXPECT_EQ(events.size(), 5u);
}

}  // namespace
}  // namespace vt
