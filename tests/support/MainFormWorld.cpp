#include "support/MainFormWorld.h"

#include <cstdio>

#include "engine/TweakCatalogue.h"
#include "i18n/AsciiCase.h"
#include "registry/ProgramKey.h"

namespace vt::test {
namespace {

const std::wstring kProgramPath = L"Software\\QENTRA\\Velotune\\";
const std::wstring kRecordPath = L"Software\\QENTRA\\Velotune\\PriorState\\";

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() &&
           AsciiEqualNoCase(std::wstring_view(text).substr(0, prefix.size()), prefix);
}

bool IsBackupName(const std::wstring& name) {
    // Rows 1 to 5 are kept under their own value names.
    for (const Tweak& tweak : TweakCatalogue().first(5)) {
        if (AsciiEqualNoCase(tweak.value, name)) {
            return true;
        }
    }
    return false;
}

std::wstring Hex(unsigned value) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"0x%X", value);
    return buffer;
}

}  // namespace

void EventLog::Add(const std::wstring& event) {
    if (!entries_.empty() && entries_.back().first == event) {
        ++entries_.back().second;
        return;
    }
    entries_.emplace_back(event, 1);
}

std::vector<std::wstring> EventLog::Rendered() const {
    std::vector<std::wstring> out;
    for (const auto& [event, count] : entries_) {
        out.push_back(count == 1 ? event : event + L" x" + std::to_wstring(count));
    }
    return out;
}

bool CuttingBackend::OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                             KeyHandle& key) {
    return inner_.OpenKey(root, path, access, key);
}
bool CuttingBackend::CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                               KeyHandle& key) {
    return !Cut() && inner_.CreateKey(root, path, access, key);
}
bool CuttingBackend::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                                std::uint8_t* data, std::uint32_t& size) {
    return inner_.QueryValue(key, name, type, data, size);
}
bool CuttingBackend::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
    if (Cut()) {
        return false;
    }
    ++writes_;
    return inner_.SetValue(key, name, type, data, size);
}
bool CuttingBackend::DeleteValue(KeyHandle key, const std::wstring& name) {
    if (Cut()) {
        return false;
    }
    ++writes_;
    return inner_.DeleteValue(key, name);
}
void CuttingBackend::CloseKey(KeyHandle key) noexcept {
    inner_.CloseKey(key);
}

bool LoggingBackend::OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                             KeyHandle& key) {
    if (!inner_.OpenKey(root, path, access, key)) {
        return false;
    }
    open_[key] = {root, path};
    return true;
}
bool LoggingBackend::CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                               KeyHandle& key) {
    if (!inner_.CreateKey(root, path, access, key)) {
        return false;
    }
    open_[key] = {root, path};
    return true;
}
bool LoggingBackend::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                                std::uint8_t* data, std::uint32_t& size) {
    const std::wstring kind = KindOf(key, name);
    if (kind == program_key::kRestore || kind == program_key::kProcessorType ||
        kind == program_key::kSpeedSetting || kind == program_key::kUpdatedDate ||
        kind == program_key::kInstalledDate) {
        // One read may ask for the size first and then for the data.
        if (lastQuery_ != std::make_pair(key, name)) {
            log_.Add(L"read " + kind);
        }
        lastQuery_ = {key, name};
    }
    return inner_.QueryValue(key, name, type, data, size);
}
bool LoggingBackend::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
    log_.Add(L"change " + KindOf(key, name));
    return inner_.SetValue(key, name, type, data, size);
}
bool LoggingBackend::DeleteValue(KeyHandle key, const std::wstring& name) {
    log_.Add(L"change " + KindOf(key, name));
    return inner_.DeleteValue(key, name);
}
void LoggingBackend::CloseKey(KeyHandle key) noexcept {
    open_.erase(key);
    lastQuery_ = {};
    inner_.CloseKey(key);
}

std::wstring LoggingBackend::KindOf(KeyHandle key, const std::wstring& name) const {
    const auto it = open_.find(key);
    if (it == open_.end() || it->second.first != RegRoot::LocalMachine) {
        return L"system";
    }
    const std::wstring& path = it->second.second;
    if (StartsWithNoCase(path, kRecordPath)) {
        return L"records";
    }
    if (!AsciiEqualNoCase(path, kProgramPath)) {
        return L"system";
    }
    return IsBackupName(name) ? L"backup" : name;
}

FakeMainView::FakeMainView(EventLog& eventLog) : log(eventLog) {
    const FontSpec tahoma8{L"Tahoma", 8, 0, 0, 1};
    const FontSpec tahomaBold8{L"Tahoma", 8, font_style::kBold, 0xFFFFFF, 1};
    const FontSpec tahomaBold10{L"Tahoma", 10, font_style::kBold, 0x808080, 1};
    struct Row {
        const wchar_t* name;
        ComponentKind kind;
        std::optional<FontSpec> font;
    };
    const Row rows[] = {
        {L"BackgroundImage", ComponentKind::Other, std::nullopt},
        {L"TopLogoImage", ComponentKind::Other, std::nullopt},
        {L"NavButton1", ComponentKind::Other, std::nullopt},
        {L"NavLabel2", ComponentKind::Label, tahomaBold10},
        {L"LinkLabel4", ComponentKind::Label, tahoma8},
        {L"LinkLabel5", ComponentKind::Label, tahoma8},
        {L"LinkLabel6", ComponentKind::Label, tahoma8},
        {L"LinkLabel7", ComponentKind::Label, tahoma8},
        {L"NavButton2", ComponentKind::Other, std::nullopt},
        {L"NavButton3", ComponentKind::Other, std::nullopt},
        {L"NavButton4", ComponentKind::Other, std::nullopt},
        {L"NavStatic2", ComponentKind::Label, tahomaBold8},
        {L"NavStatic3", ComponentKind::Label, tahomaBold8},
        {L"NavStatic4", ComponentKind::Label, tahomaBold8},
        {L"NavStatic1", ComponentKind::Label, tahoma8},
        {L"MainPanel", ComponentKind::Panel, std::nullopt},
        {L"BenefitsLabel", ComponentKind::Label, tahomaBold8},
        {L"OSVersionLabel", ComponentKind::Label, std::nullopt},
        {L"SpeedLabel", ComponentKind::Label, std::nullopt},
        {L"SoftwareLastUpdateLabel", ComponentKind::Label, std::nullopt},
        {L"VersionInstalledLabel", ComponentKind::Label, tahomaBold8},
        {L"GoButton", ComponentKind::PushButton, tahomaBold8},
        {L"RestoreButton", ComponentKind::PushButton, std::nullopt},
        {L"UpdatesButton", ComponentKind::PushButton, std::nullopt},
        {L"HelpFilePopup", ComponentKind::MenuItem, std::nullopt},
        {L"TechSupportPopup", ComponentKind::MenuItem, std::nullopt},
    };
    for (const Row& row : rows) {
        FakeComponent& component = form.Add(row.name, row.kind);
        component.font = row.font;
        component.parentFont = !row.font.has_value();
    }
}

FakeComponent& FakeMainView::Control(const std::wstring& name) {
    for (auto& component : form.components) {
        if (component->name == name) {
            return *component;
        }
    }
    throw std::out_of_range("no such control");
}

bool FakeMainView::Underlined(const std::wstring& name) {
    const auto& font = Control(name).font;
    return font && (font->style & font_style::kUnderline) != 0;
}

std::wstring FakeMainView::ControlText(const std::wstring& control) const {
    for (const auto& component : form.components) {
        if (component->name == control) {
            return component->text;
        }
    }
    return {};
}

void FakeMainView::SetControlText(const std::wstring& control, const std::wstring& text) {
    Control(control).SetText(text);
}

void FakeMainView::SetRestoreEnabled(bool value) {
    restoreEnabled = value;
    log.Add(value ? L"Restore enabled" : L"Restore disabled");
}

void FakeMainView::SetEnabled(bool value) {
    enabled = value;
    log.Add(value ? L"window enabled" : L"window disabled");
}

PixelBox FakeMainView::ControlBounds(const std::wstring& control) const {
    const auto it = bounds.find(control);
    return it == bounds.end() ? PixelBox{} : it->second;
}

void FakeMainView::ShowPopupMenu(int x, int y) {
    log.Add(L"popup " + std::to_wstring(x) + L"," + std::to_wstring(y));
    if (whileMenuOpen) {
        whileMenuOpen();
    }
}

void FakeProgress::ShowOverMainWindow() {
    visible = true;
    log.Add(L"progress shown");
}

void FakeProgress::BeginSteps(int total) {
    steps = 0;
    log.Add(L"steps of " + std::to_wstring(total));
}

void FakeProgress::Step(const std::wstring& text) {
    ++steps;
    log.Add(L"step " + text);
    const auto it = during.find(steps);
    if (it != during.end()) {
        it->second();
    }
}

void FakeProgress::Close() {
    visible = false;
    log.Add(L"progress closed");
}

int FakeDialogs::Ask(const std::wstring& text, const std::wstring& caption, unsigned style) {
    log.Add(L"box " + Hex(style) + L" " + caption + L" | " + text);
    if (whileShown) {
        whileShown();
    }
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    switch (style & 0xF) {
        case box::kYesNo:
            return box::kIdNo;
        case box::kOkCancel:
            return box::kIdCancel;
        default:
            return box::kIdOk;
    }
}

MainFormWorld::MainFormWorld(MemoryRegistry& memory, const LanguageResources* tables)
    : store(memory),
      captions(registry, tables != nullptr ? *tables : embedded, &DecodeCp1252),
      logic(MainFormParts{view, about, progress, progress, dialogs, sound, restarter, launcher,
                          system, logged, registry, captions, dates, clock}) {}

std::wstring MainFormWorld::Text(const wchar_t* window, const wchar_t* key) const {
    return captions.GetCaption(window, key);
}

}  // namespace vt::test
