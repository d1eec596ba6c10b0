#pragma once

#include <string>
#include <string_view>

#include "i18n/FormModel.h"
#include "i18n/LanguageResources.h"
#include "i18n/TextDecoding.h"
#include "registry/CustomRegistry.h"

namespace vt {

// The two lookups on a table's decoded text, as the class below runs them after loading. Nothing
// escapes; on a failure what was found or applied before stays.
// The text of the last row whose section and key equal these without regard to ASCII case.
std::wstring FindCaptionInTable(std::wstring_view table, std::wstring_view windowName,
                                std::wstring_view key) noexcept;
// Sets the window's title and the texts of its components from the rows of its section.
void ApplyCaptionsFromTable(std::wstring_view table, Form& window) noexcept;

// The texts of the windows, from the language table that the program key's "Language" value names.
// Nothing is cached: every call reads the value, loads the table and parses it from the top, so a
// changed choice takes effect at the next call. Nothing escapes; a failure ends a call silently.
class Captions {
public:
    // `ansi` decodes tables without a byte-order mark: the system's ANSI code page on Windows.
    Captions(const CustomRegistry& registry, const LanguageResources& resources,
             AnsiDecoder ansi) noexcept
        : registry_(registry), resources_(resources), ansi_(ansi) {}

    // The text of the last row whose section and key equal these without regard to ASCII case;
    // empty when none does.
    std::wstring GetCaption(std::wstring_view windowName, std::wstring_view key) const noexcept;

    // Puts the window's title and the texts of its labels, panels, buttons, menu items, memos and
    // edit boxes in place, rows taking effect in table order.
    void ApplyCaptions(Form& window) const noexcept;

private:
    // The decoded table of the chosen language; empty when there is none.
    std::wstring LoadTable() const;

    const CustomRegistry& registry_;
    const LanguageResources& resources_;
    AnsiDecoder ansi_;
};

}  // namespace vt
