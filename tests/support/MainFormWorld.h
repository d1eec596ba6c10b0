#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "i18n/Captions.h"
#include "i18n/EmbeddedLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/DateStamp.h"
#include "registry/EnglishDateLocale.h"
#include "registry/MemoryRegistry.h"
#include "support/FakeForm.h"
#include "ui/MainFormLogic.h"

namespace vt::test {

// What happened, in order. Consecutive equal entries are kept once with a count, so that a run of
// registry writes of one kind reads "change system x19".
class EventLog {
public:
    void Add(const std::wstring& event);
    std::vector<std::wstring> Rendered() const;
    void Clear() { entries_.clear(); }

private:
    std::vector<std::pair<std::wstring, int>> entries_;
};

// Passes calls on until `limit` writes (values set or deleted) have been made; every later write
// and key creation is refused, as if the process had ended there.
class CuttingBackend final : public RegistryBackend {
public:
    explicit CuttingBackend(RegistryBackend& inner) : inner_(inner) {}
    void CutAfter(long limit) { limit_ = limit; }
    long Writes() const { return writes_; }

    bool OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                 KeyHandle& key) override;
    bool CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                   KeyHandle& key) override;
    bool QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& size) override;
    bool SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
    bool DeleteValue(KeyHandle key, const std::wstring& name) override;
    void CloseKey(KeyHandle key) noexcept override;

private:
    bool Cut() const { return limit_ >= 0 && writes_ >= limit_; }
    RegistryBackend& inner_;
    long limit_ = -1;
    long writes_ = 0;
};

// Logs the registry work that matters to the operations: reads of the program key's own values
// and every change, by kind ("ProcessorType", "Restore", "backup", "records", "system").
class LoggingBackend final : public RegistryBackend {
public:
    LoggingBackend(RegistryBackend& inner, EventLog& log) : inner_(inner), log_(log) {}

    bool OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                 KeyHandle& key) override;
    bool CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                   KeyHandle& key) override;
    bool QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& size) override;
    bool SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
    bool DeleteValue(KeyHandle key, const std::wstring& name) override;
    void CloseKey(KeyHandle key) noexcept override;

private:
    std::wstring KindOf(KeyHandle key, const std::wstring& name) const;
    RegistryBackend& inner_;
    EventLog& log_;
    std::map<KeyHandle, std::pair<RegRoot, std::wstring>> open_;
    std::pair<KeyHandle, std::wstring> lastQuery_;
};

// The main window as plain data: components with the kinds and fonts of its layout.
class FakeMainView final : public MainView {
public:
    explicit FakeMainView(EventLog& log);

    Form& AsForm() override { return form; }
    std::wstring Caption() const override { return form.title; }
    std::wstring ControlText(const std::wstring& control) const override;
    void SetControlText(const std::wstring& control, const std::wstring& text) override;
    int WindowsItem() const override { return windowsItem; }
    void SelectWindowsItem(int index) override { windowsItem = index; }
    int ProcessorItem() const override { return processorItem; }
    void SelectProcessorItem(int index) override { processorItem = index; }
    int SpeedPosition() const override { return speed; }
    void SetSpeedPosition(int position) override { speed = position; }
    void SetRestoreEnabled(bool enabled) override;
    void SetEnabled(bool enabled) override;
    void RequestFocus() override { log.Add(L"focus"); }
    WindowGeometry Geometry() const override { return geometry; }
    PixelBox ControlBounds(const std::wstring& control) const override;
    void ShowPopupMenu(int x, int y) override;
    std::function<void()> whileMenuOpen;
    void PostClose() override { log.Add(L"post close"); }
    void BlockShutdown(const std::wstring& reason) override {
        log.Add(L"block shutdown " + reason);
    }
    void UnblockShutdown() override { log.Add(L"unblock shutdown"); }
    bool IsVisible() const override { return visible; }

    FakeComponent& Control(const std::wstring& name);
    bool Underlined(const std::wstring& name);

    EventLog& log;
    FakeForm form{L"VTMainForm"};
    int windowsItem = -1;
    int processorItem = -1;
    int speed = 0;
    bool restoreEnabled = false;
    bool enabled = true;
    bool visible = true;
    WindowGeometry geometry{{100, 50, 770, 529}, 764, 500};
    std::map<std::wstring, PixelBox> bounds{{L"NavButton1", {672, 16, 78, 27}}};
};

class FakeProgress final : public ProgressView, public ShownWindow {
public:
    explicit FakeProgress(EventLog& eventLog) : log(eventLog) {}
    void ShowOverMainWindow() override;
    void SetHeading(const std::wstring& text) override { log.Add(L"heading " + text); }
    void BeginSteps(int total) override;
    void Step(const std::wstring& text) override;
    void Close() override;
    bool IsVisible() const override { return visible; }

    EventLog& log;
    bool visible = false;
    int steps = 0;
    // Runs during the given step (1-based), as if a message arrived while it pumped.
    std::map<int, std::function<void()>> during;
};

class FakeAbout final : public AboutView {
public:
    explicit FakeAbout(EventLog& eventLog) : log(eventLog) {}
    void ShowModalOverMainWindow() override {
        log.Add(L"about shown");
        if (whileShown) {
            whileShown();
        }
    }
    bool IsVisible() const override { return visible; }
    EventLog& log;
    bool visible = false;
    std::function<void()> whileShown;
};

class FakeDialogs final : public Dialogs {
public:
    explicit FakeDialogs(EventLog& eventLog) : log(eventLog) {}
    int Ask(const std::wstring& text, const std::wstring& caption, unsigned style) override;
    EventLog& log;
    std::deque<int> answers;  // when empty: No, or Cancel, or OK for a plain box
    std::function<void()> whileShown;
};

class FakeSound final : public ClickSound {
public:
    explicit FakeSound(EventLog& eventLog) : log(eventLog) {}
    void PlayClickSound() noexcept override { log.Add(L"click"); }
    EventLog& log;
};

class FakeRestarter final : public Restarter {
public:
    explicit FakeRestarter(EventLog& eventLog) : log(eventLog) {}
    void RestartWindows() noexcept override { log.Add(L"restart"); }
    EventLog& log;
};

class FakeLauncher final : public Launcher {
public:
    explicit FakeLauncher(EventLog& eventLog) : log(eventLog) {}
    void OpenDocument(const std::wstring& file, const std::wstring& parameters) override {
        log.Add(L"document " + file + L" " + parameters);
    }
    void StartProgram(const std::wstring& file, const std::wstring& parameters) override {
        log.Add(L"start " + file + L" [" + parameters + L"]");
    }
    void ShowHelpTopic(const std::wstring& helpFile, const std::wstring& topic) override {
        log.Add(L"help " + helpFile + L" " + topic);
    }
    void OpenLink(const std::wstring& target) override { log.Add(L"open " + target); }
    std::wstring ProgramFolder() const override { return L"C:\\Velotune\\"; }
    EventLog& log;
};

class FakeSystem final : public SystemInfo {
public:
    FontSpec IconTitleFont() const override { return font; }
    std::int32_t WindowsVersion() const override { return versionCode; }
    FontSpec font{L"Segoe UI", 9, 0, 0, 1};
    std::int32_t versionCode = 8;
};

class FixedClock final : public Clock {
public:
    DateTime Now() const override { return now; }
    DateTime now = EncodeDateTime(2021, 3, 29, 14, 30, 0);
};

// No language table at all: every text empty.
class NoTables final : public LanguageResources {
public:
    std::optional<Bytes> Find(std::wstring_view) const override { return std::nullopt; }
};

// One start of the program over a store that outlives it: new windows, the same registry.
struct MainFormWorld {
    // `tables` replaces the embedded language tables, e.g. by none to save time.
    explicit MainFormWorld(MemoryRegistry& store, const LanguageResources* tables = nullptr);

    // The message texts of the tables, for expected events.
    std::wstring Text(const wchar_t* window, const wchar_t* key) const;
    std::vector<std::wstring> Events() const { return log.Rendered(); }

    EventLog log;
    MemoryRegistry& store;
    CuttingBackend cutting{store};
    LoggingBackend logged{cutting, log};
    CustomRegistry registry{logged};
    EmbeddedLanguageResources embedded;
    Captions captions;
    EnglishUsDateLocale dates;
    FakeMainView view{log};
    FakeAbout about{log};
    FakeProgress progress{log};
    FakeDialogs dialogs{log};
    FakeSound sound{log};
    FakeRestarter restarter{log};
    FakeLauncher launcher{log};
    FakeSystem system;
    FixedClock clock;
    MainFormLogic logic;
};

}  // namespace vt::test
