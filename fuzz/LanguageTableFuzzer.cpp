// Any bytes as the chosen language table: both operations must end quietly, without a crash, a
// hang or a memory error, whatever the table holds.
#include <cstddef>
#include <cstdint>

#include "i18n/Captions.h"
#include "i18n/LanguageTable.h"
#include "registry/MemoryRegistry.h"

namespace {

class InputTable final : public vt::LanguageResources {
public:
    InputTable(const std::uint8_t* data, std::size_t size) : bytes_(data, data + size) {}
    std::optional<vt::Bytes> Find(std::wstring_view) const override { return bytes_; }

private:
    vt::Bytes bytes_;
};

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
    vt::MemoryRegistry backend;
    const vt::CustomRegistry registry(backend);
    const InputTable table(data, size);
    const vt::Captions captions(registry, table, &vt::DecodeCp1252);

    FuzzForm window;
    captions.ApplyCaptions(window);
    (void)captions.GetCaption(L"VTMainForm", L"GoButton");
    (void)captions.GetCaption(L"vtsettingsform", L"MESSAGECHANGE1");

    // Unbounded splitting sees every field of every line.
    const std::wstring text = vt::DecodeTableText({data, size}, &vt::DecodeCp1252);
    for (std::wstring_view line : vt::SplitLines(text)) {
        (void)vt::SplitFields(line, static_cast<std::size_t>(-1));
    }
    return 0;
}
