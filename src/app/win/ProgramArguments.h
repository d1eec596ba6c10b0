#pragma once

#include <string>
#include <vector>

namespace vt {

// The process's command-line arguments as Windows splits them, without the program's own name.
std::vector<std::wstring> ProgramArguments();

}  // namespace vt
