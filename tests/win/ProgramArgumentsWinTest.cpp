// The program splits its command line itself (to spare loading the shell library at start-up):
// it must agree with Windows' own CommandLineToArgvW.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/win/ProgramArguments.h"

namespace vt {
namespace {

std::vector<std::wstring> ArgumentsByWindows(const wchar_t* line) {
    int count = 0;
    struct Free {
        void operator()(LPWSTR* block) const noexcept { ::LocalFree(block); }
    };
    const std::unique_ptr<LPWSTR, Free> argv(::CommandLineToArgvW(line, &count));
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i) {
        arguments.emplace_back(argv.get()[i]);
    }
    return arguments;
}

TEST(ProgramArguments, SplitLikeCommandLineToArgvW) {
    const wchar_t* const lines[] = {
        L"Velotune.exe",
        L"\"C:\\Program Files\\Velotune\\Velotune.exe\" /checkupdate",
        L"\"C:\\a b\\V.exe\"/checkupdate x",
        L"V.exe   /CHECKUPDATE\t second ",
        L"V.exe \"a b\" c",
        L"V.exe a\"b c\"d",
        L"V.exe \"\" x",
        L"V.exe \"a\"\"b\" c",
        L"V.exe a\\\\b a\\\"b a\\\\\"b c\" a\\\\\\\"b",
        L"V.exe \"C:\\dir\\\\\" next",
        L"V.exe trailing\\",
        L"V.exe \"unclosed arg",
    };
    for (const wchar_t* line : lines) {
        EXPECT_EQ(SplitCommandLine(line), ArgumentsByWindows(line))
            << "line: " << testing::PrintToString(std::wstring(line));
    }
}

TEST(ProgramArguments, AreThoseOfThisProcess) {
    EXPECT_EQ(ProgramArguments(), ArgumentsByWindows(::GetCommandLineW()));
}

}  // namespace
}  // namespace vt
