#include "i18n/EmbeddedLanguageResources.h"

#include "i18n/AsciiCase.h"
#include "resources/LanguageTables.h"

namespace vt {

std::optional<Bytes> EmbeddedLanguageResources::Find(std::wstring_view name) const {
    for (const generated::EmbeddedFile& table : generated::kLanguageTables) {
        if (AsciiEqualNoCase(name, table.name)) {
            return Bytes(table.data, table.data + table.size);
        }
    }
    return std::nullopt;
}

}  // namespace vt
