#include "update/ProgramKeyRights.h"

#include <string>

#include "registry/ProgramKey.h"

namespace vt {
namespace {

// Opening succeeds or fails with nothing to keep: the handle is closed at once.
bool Opens(RegistryBackend& backend, const std::wstring& path, std::uint32_t access) {
    RegKey key(backend);
    return backend.OpenKey(program_key::kRoot, path, access, key.put());
}

}  // namespace

bool CanWriteProgramKey(RegistryBackend& backend) noexcept {
    try {
        std::wstring path = program_key::kPath;
        path = path.substr(1, path.size() - 2);  // the back-end takes no outer backslashes
        std::uint32_t needed = RegAccess::SetValue;
        // Walk up to the deepest key that exists, the root last; the rights there decide.
        for (;;) {
            if (Opens(backend, path, RegAccess::QueryValue)) {
                return Opens(backend, path, needed);
            }
            if (path.empty()) {
                return false;
            }
            const std::size_t cut = path.find_last_of(L'\\');
            path = cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
            needed = RegAccess::CreateSubKey;
        }
    } catch (...) {
        return false;
    }
}

}  // namespace vt
