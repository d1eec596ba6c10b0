#include "app/win/ProgramArguments.h"

#include <windows.h>

#include "app/CommandLine.h"

namespace vt {

// Split here rather than by CommandLineToArgvW: that one function would load the whole shell
// library at every start.
std::vector<std::wstring> ProgramArguments() {
    const wchar_t* line = ::GetCommandLineW();
    return SplitCommandLine(line != nullptr ? line : L"");
}

}  // namespace vt
