#pragma once

#include <optional>
#include <string_view>

#include "registry/RegistryTypes.h"

namespace vt {

// Where the language tables are kept: the program's own resources on Windows, arrays compiled into
// the program elsewhere.
class LanguageResources {
public:
    virtual ~LanguageResources() = default;

    // All bytes of the table of that name, matched without regard to letter case; nullopt when
    // there is none.
    virtual std::optional<Bytes> Find(std::wstring_view name) const = 0;
};

}  // namespace vt
