#include "i18n/win/WinLanguageResources.h"

#include <string>

namespace vt {

// Resource handles of a loaded module need no release: they live as long as the module.
std::optional<Bytes> WinLanguageResources::Find(std::wstring_view name) const {
    const std::wstring resourceName(name);
    if (resourceName.empty()) {
        return std::nullopt;
    }
    HRSRC info = ::FindResourceW(module_, resourceName.c_str(), RT_RCDATA);
    if (info == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = ::LoadResource(module_, info);
    const DWORD size = ::SizeofResource(module_, info);
    const auto* data = loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    return Bytes(data, data + size);
}

}  // namespace vt
