#include "i18n/Captions.h"

#include "i18n/AsciiCase.h"
#include "i18n/LanguageTable.h"
#include "registry/ProgramKey.h"

namespace vt {
namespace {

constexpr std::size_t kSection = 0;
constexpr std::size_t kKey = 1;
constexpr std::size_t kText = 2;

// Row fields are read one at a time; a row that lacks the field an operation needs ends that
// operation at the row.
bool Has(const std::vector<std::wstring>& fields, std::size_t index) {
    return fields.size() > index;
}

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

}  // namespace

std::wstring Captions::LoadTable() const {
    const std::wstring name = AsciiLower(
        registry_.ReadRegString(program_key::kRoot, program_key::kPath, program_key::kLanguage,
                                program_key::kDefaultLanguage, false));
    const std::optional<Bytes> bytes = resources_.Find(name);
    return bytes ? DecodeTableText(*bytes, ansi_) : std::wstring();
}

std::wstring Captions::GetCaption(std::wstring_view windowName,
                                  std::wstring_view key) const noexcept {
    std::wstring result;
    try {
        const std::wstring table = LoadTable();
        for (std::wstring_view line : SplitLines(table)) {
            const std::vector<std::wstring> fields = SplitFields(line);
            if (!Has(fields, kSection)) {
                break;
            }
            if (!AsciiEqualNoCase(fields[kSection], windowName)) {
                continue;
            }
            if (!Has(fields, kKey)) {
                break;
            }
            if (!AsciiEqualNoCase(fields[kKey], key)) {
                continue;
            }
            if (!Has(fields, kText)) {
                break;
            }
            result = fields[kText];
        }
    } catch (...) {
        // What was found before the failure stands.
    }
    return result;
}

void Captions::ApplyCaptions(Form& window) const noexcept {
    try {
        const std::wstring windowName = window.Name();
        const std::wstring table = LoadTable();
        for (std::wstring_view line : SplitLines(table)) {
            const std::vector<std::wstring> fields = SplitFields(line);
            if (!Has(fields, kSection)) {
                return;
            }
            if (!AsciiEqualNoCase(fields[kSection], windowName)) {
                continue;
            }
            if (!Has(fields, kKey)) {
                return;
            }
            // The title row names the window with its exact letter case.
            if (fields[kKey] == windowName) {
                if (!Has(fields, kText)) {
                    return;
                }
                window.SetTitle(fields[kText]);
                continue;
            }
            FormComponent* component = FindComponent(window, fields[kKey]);
            if (component == nullptr || !TakesText(component->Kind())) {
                continue;
            }
            if (!Has(fields, kText)) {
                return;
            }
            component->SetText(fields[kText]);
        }
    } catch (...) {
        // Texts applied before the failure stay.
    }
}

}  // namespace vt
