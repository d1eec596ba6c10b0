#include "engine/RegistryAccessCheck.h"

#include <set>
#include <string>

#include "engine/TweakCatalogue.h"
#include "registry/ProgramKey.h"

namespace vt {
namespace {

std::wstring Relative(const std::wstring& path) {
    return !path.empty() && path.front() == L'\\' ? path.substr(1) : path;
}

}  // namespace

bool CanChangeSettings(RegistryBackend& backend) noexcept {
    try {
        {
            RegKey key(backend);
            if (!backend.CreateKey(program_key::kRoot, Relative(program_key::kPath),
                                   RegAccess::Write, key.put())) {
                return false;
            }
        }
        std::set<std::wstring> checked;
        for (const Tweak& tweak : TweakCatalogue()) {
            if (tweak.root != RegRoot::LocalMachine || !checked.insert(tweak.key).second) {
                continue;
            }
            const std::wstring path = Relative(tweak.key);
            RegKey existing(backend);
            if (!backend.OpenKey(tweak.root, path, RegAccess::Read, existing.put())) {
                continue;  // created by the write, if at all
            }
            RegKey writable(backend);
            if (!backend.OpenKey(tweak.root, path, RegAccess::SetValue, writable.put())) {
                return false;
            }
        }
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace vt
