#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vt {

// What the language table and the font adaptation need to know of a window and its components.
// The real windows implement it over their controls; tests implement it over plain data.

// The component kinds the language table can set a text on, in the order they are tested; every
// other kind is Other.
enum class ComponentKind { Label, Panel, PushButton, MenuItem, Memo, Edit, Other };

namespace font_style {
inline constexpr std::uint32_t kBold = 1;
inline constexpr std::uint32_t kItalic = 2;
inline constexpr std::uint32_t kUnderline = 4;
inline constexpr std::uint32_t kStrikeOut = 8;
}  // namespace font_style

struct FontSpec {
    std::wstring face;
    int size = 0;              // whole points
    std::uint32_t style = 0;   // font_style bits
    std::uint32_t color = 0;   // 0x00BBGGRR
    std::uint8_t charset = 1;  // DEFAULT_CHARSET

    bool operator==(const FontSpec&) const = default;
};

class FormComponent {
public:
    virtual ~FormComponent() = default;

    virtual std::wstring Name() const = 0;
    virtual ComponentKind Kind() const = 0;
    // The caption of a label, panel, button or menu item; the whole content of a memo; the text
    // of an edit box.
    virtual void SetText(const std::wstring& text) = 0;

    // The published ParentFont property; nullopt when the component has none.
    virtual std::optional<bool> ParentFont() const = 0;
    // The published Font property; nullopt when the component has none or it holds no font.
    virtual std::optional<FontSpec> Font() const = 0;
    virtual void SetFont(const FontSpec& font) = 0;
};

class Form {
public:
    virtual ~Form() = default;

    // The component name, which is also the window's section in the language table.
    virtual std::wstring Name() const = 0;
    virtual void SetTitle(const std::wstring& title) = 0;

    virtual FontSpec Font() const = 0;
    virtual void SetFont(const FontSpec& font) = 0;

    // The components the window owns, in the order of ownership.
    virtual std::size_t ComponentCount() const = 0;
    // nullptr for an index beyond the count.
    virtual FormComponent* Component(std::size_t index) = 0;
};

}  // namespace vt
