// Any bytes as the chosen language table: both operations must end quietly, without a crash, a
// hang or a memory error, whatever the table holds. The input is decoded once and every lookup
// runs on that text: loading (a registry read and a resource copy) adds nothing to find here and
// would only slow each run down.
#include <cstddef>
#include <cstdint>

#include "i18n/Captions.h"
#include "i18n/LanguageTable.h"
#include "i18n/TextDecoding.h"

namespace {

// A window with one component of each kind, named after keys of the real tables.
class FuzzForm final : public vt::Form {
public:
    struct Part final : vt::FormComponent {
        Part(const wchar_t* partName, vt::ComponentKind partKind)
            : name(partName), kind(partKind) {}
        std::wstring Name() const override { return name; }
        vt::ComponentKind Kind() const override { return kind; }
        void SetText(const std::wstring& value) override { text = value; }
        std::optional<bool> ParentFont() const override { return false; }
        std::optional<vt::FontSpec> Font() const override { return std::nullopt; }
        void SetFont(const vt::FontSpec&) override {}
        std::wstring name;
        vt::ComponentKind kind;
        std::wstring text;
    };

    std::wstring Name() const override { return L"VTMainForm"; }
    void SetTitle(const std::wstring& value) override { title = value; }
    vt::FontSpec Font() const override { return {}; }
    void SetFont(const vt::FontSpec&) override {}
    std::size_t ComponentCount() const override { return std::size(parts); }
    vt::FormComponent* Component(std::size_t index) override {
        return index < std::size(parts) ? &parts[index] : nullptr;
    }

    std::wstring title;
    Part parts[7] = {{L"BenefitsLabel", vt::ComponentKind::Label},
                     {L"MainPanel", vt::ComponentKind::Panel},
                     {L"GoButton", vt::ComponentKind::PushButton},
                     {L"HelpFilePopup", vt::ComponentKind::MenuItem},
                     {L"LicensedMemo", vt::ComponentKind::Memo},
                     {L"Edit", vt::ComponentKind::Edit},
                     {L"WindowsCombo", vt::ComponentKind::Other}};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = vt::DecodeTableText({data, size}, &vt::DecodeCp1252);

    FuzzForm window;
    vt::ApplyCaptionsFromTable(text, window);
    (void)vt::FindCaptionInTable(text, L"vtsettingsform", L"MESSAGECHANGE1");

    // Every field of every line, as many as there are.
    for (std::wstring_view line : vt::SplitLines(text)) {
        vt::FieldReader fields(line);
        while (fields.Next()) {
        }
    }
    return 0;
}
