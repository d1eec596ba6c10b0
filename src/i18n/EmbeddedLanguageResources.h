#pragma once

#include "i18n/LanguageResources.h"

namespace vt {

// The tables "ENGLISH" and "KOREAN" as compiled into the program from resources/lang.
class EmbeddedLanguageResources final : public LanguageResources {
public:
    std::optional<Bytes> Find(std::wstring_view name) const override;
};

}  // namespace vt
