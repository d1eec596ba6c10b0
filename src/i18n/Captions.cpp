#include "i18n/Captions.h"

#include "i18n/AsciiCase.h"
#include "i18n/LanguageTable.h"
#include "registry/ProgramKey.h"

namespace vt {
namespace {

bool TakesText(ComponentKind kind) {
    switch (kind) {
        case ComponentKind::Label:
        case ComponentKind::Panel:
        case ComponentKind::PushButton:
        case ComponentKind::MenuItem:
        case ComponentKind::Memo:
        case ComponentKind::Edit:
            return true;
        case ComponentKind::Other:
            return false;
    }
    return false;
}

FormComponent* FindComponent(Form& window, std::wstring_view name) {
    if (name.empty()) {
        return nullptr;
    }
    const std::size_t count = window.ComponentCount();
    for (std::size_t i = 0; i < count; ++i) {
        FormComponent* component = window.Component(i);
        if (component != nullptr && AsciiEqualNoCase(component->Name(), name)) {
            return component;
        }
    }
    return nullptr;
}

// Each field is read only when the row got that far: a row that lacks the field ends the lookup
// there, one of another section costs its first field alone.
void FindLastCaption(std::wstring_view table, std::wstring_view windowName, std::wstring_view key,
                     std::wstring& result) {
    for (std::wstring_view line : SplitLines(table)) {
        FieldReader fields(line);
        const std::optional<std::wstring_view> section = fields.Next();
        if (!section) {
            return;
        }
        if (!AsciiEqualNoCase(*section, windowName)) {
            continue;
        }
        const std::optional<std::wstring_view> rowKey = fields.Next();
        if (!rowKey) {
            return;
        }
        if (!AsciiEqualNoCase(*rowKey, key)) {
            continue;
        }
        const std::optional<std::wstring_view> text = fields.Next();
        if (!text) {
            return;
        }
        result.assign(*text);
    }
}

void ApplyRows(std::wstring_view table, Form& window) {
    const std::wstring windowName = window.Name();
    for (std::wstring_view line : SplitLines(table)) {
        FieldReader fields(line);
        const std::optional<std::wstring_view> section = fields.Next();
        if (!section) {
            return;
        }
        if (!AsciiEqualNoCase(*section, windowName)) {
            continue;
        }
        const std::optional<std::wstring_view> rowKey = fields.Next();
        if (!rowKey) {
            return;
        }
        // The title row names the window with its exact letter case.
        if (*rowKey == windowName) {
            const std::optional<std::wstring_view> title = fields.Next();
            if (!title) {
                return;
            }
            window.SetTitle(std::wstring(*title));
            continue;
        }
        FormComponent* component = FindComponent(window, *rowKey);
        if (component == nullptr || !TakesText(component->Kind())) {
            continue;
        }
        const std::optional<std::wstring_view> text = fields.Next();
        if (!text) {
            return;
        }
        component->SetText(std::wstring(*text));
    }
}

}  // namespace

std::wstring FindCaptionInTable(std::wstring_view table, std::wstring_view windowName,
                                std::wstring_view key) noexcept {
    std::wstring result;
    try {
        FindLastCaption(table, windowName, key, result);
    } catch (...) {
        // What was found before the failure stands.
    }
    return result;
}

void ApplyCaptionsFromTable(std::wstring_view table, Form& window) noexcept {
    try {
        ApplyRows(table, window);
    } catch (...) {
        // Texts applied before the failure stay.
    }
}

std::wstring Captions::LoadTable() const {
    const std::wstring name = AsciiLower(
        registry_.ReadRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                                program_key::kDefaultLanguage, false));
    const std::optional<Bytes> bytes = resources_.Find(name);
    return bytes ? DecodeTableText(*bytes, ansi_) : std::wstring();
}

std::wstring Captions::GetCaption(std::wstring_view windowName,
                                  std::wstring_view key) const noexcept {
    try {
        return FindCaptionInTable(LoadTable(), windowName, key);
    } catch (...) {
        return {};  // the table could not be loaded
    }
}

void Captions::ApplyCaptions(Form& window) const noexcept {
    try {
        ApplyCaptionsFromTable(LoadTable(), window);
    } catch (...) {
        // The table could not be loaded: nothing changes.
    }
}

}  // namespace vt
