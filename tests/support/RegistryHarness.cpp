#include "support/RegistryHarness.h"

#include "registry/MemoryRegistry.h"

namespace vt::test {
namespace {

class MemoryHarness final : public RegistryHarness {
public:
    RegistryBackend& Backend() override { return store_; }
    std::wstring Base() const override { return L"\\Software\\VelotuneTests\\memory\\"; }
    void RefuseWrites() override { store_.SetReadOnly(RegRoot::CurrentUser, true); }

private:
    MemoryRegistry store_;
};

}  // namespace

std::unique_ptr<RegistryHarness> MakeMemoryHarness() {
    return std::make_unique<MemoryHarness>();
}

std::vector<HarnessKind> RegistryHarnessKinds() {
    std::vector<HarnessKind> kinds = {{"Memory", &MakeMemoryHarness}};
#ifdef VT_TEST_WINDOWS
    kinds.push_back({"Windows", &MakeWindowsHarness});
#endif
    return kinds;
}

bool KeyExists(RegistryBackend& backend, RegRoot root, const std::wstring& path) {
    RegKey key(backend);
    const std::wstring relative = !path.empty() && path[0] == L'\\' ? path.substr(1) : path;
    return backend.OpenKey(root, relative, RegAccess::Read, key.put());
}

}  // namespace vt::test
