#include "app/win/ProgramArguments.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace vt {
namespace {

struct LocalFreeDeleter {
    void operator()(LPWSTR* block) const noexcept { LocalFree(block); }
};

}  // namespace

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(
        CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i) {
        arguments.emplace_back(argv.get()[i]);
    }
    return arguments;
}

}  // namespace vt
