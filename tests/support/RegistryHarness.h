#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "registry/CustomRegistry.h"
#include "registry/RegistryBackend.h"

namespace vt::test {

// A registry back-end prepared for one test: a throwaway key of its own under HKEY_CURRENT_USER,
// removed again when the harness goes.
class RegistryHarness {
public:
    virtual ~RegistryHarness() = default;
    virtual RegistryBackend& Backend() = 0;
    // "\Software\VelotuneTests\<unique>\": every path a test uses lies below it.
    virtual std::wstring Base() const = 0;
    // From now on, writes and deletes below the base are refused (a user without the rights).
    virtual void RefuseWrites() = 0;
};

struct HarnessKind {
    std::string name;
    std::unique_ptr<RegistryHarness> (*make)();
};
// Names the parameter in test output by its kind, not by its bytes.
inline void PrintTo(const HarnessKind& kind, std::ostream* os) {
    *os << kind.name;
}

// The in-memory store everywhere, and the real registry in the Windows build.
std::vector<HarnessKind> RegistryHarnessKinds();
std::unique_ptr<RegistryHarness> MakeMemoryHarness();
#ifdef VT_TEST_WINDOWS
std::unique_ptr<RegistryHarness> MakeWindowsHarness();
#endif

// True when the key exists (opened for reading only, so nothing is created).
bool KeyExists(RegistryBackend& backend, RegRoot root, const std::wstring& path);

}  // namespace vt::test
