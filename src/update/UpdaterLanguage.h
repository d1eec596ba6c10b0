#pragma once

#include "i18n/LanguageResources.h"

namespace vt {

// The updater's tables: the one the program key names, or English when there is no table of that
// name, so that the updater never shows an empty message.
class TablesWithEnglishFallback final : public LanguageResources {
public:
    explicit TablesWithEnglishFallback(const LanguageResources& tables) : tables_(tables) {}

    std::optional<Bytes> Find(std::wstring_view name) const override {
        std::optional<Bytes> table = tables_.Find(name);
        return table ? table : tables_.Find(L"english");
    }

private:
    const LanguageResources& tables_;
};

}  // namespace vt
