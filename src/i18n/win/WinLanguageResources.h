#pragma once

#include <windows.h>

#include "i18n/LanguageResources.h"

namespace vt {

// The tables as RT_RCDATA resources of a module (the program's own by default), found by name
// without regard to letter case as FindResourceW does.
class WinLanguageResources final : public LanguageResources {
public:
    explicit WinLanguageResources(HMODULE module = ::GetModuleHandleW(nullptr)) noexcept
        : module_(module) {}

    std::optional<Bytes> Find(std::wstring_view name) const override;

private:
    HMODULE module_;
};

}  // namespace vt
