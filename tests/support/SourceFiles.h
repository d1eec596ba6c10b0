#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "registry/RegistryTypes.h"

namespace vt::test {

// A file of the source tree, found from where this header stands (tests/support/). The Windows
// tests run under Wine, where drive Z: is the host's root.
inline std::optional<Bytes> ReadSourceFile(const std::string& relativePath) {
    std::string root = __FILE__;
    for (int level = 0; level < 3; ++level) {
        root = root.substr(0, root.find_last_of("/\\"));
    }
#ifdef _WIN32
    if (!root.empty() && root.front() == '/') {
        root = "Z:" + root;
    }
#endif
    std::ifstream in(root + "/" + relativePath, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vt::test
