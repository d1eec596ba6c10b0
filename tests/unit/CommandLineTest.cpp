#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

struct SplitCase {
    const wchar_t* line;
    std::vector<std::wstring> arguments;
};

TEST(CommandLine, SplitsLikeWindows) {
    const SplitCase cases[] = {
        {L"", {}},
        {L"Velotune.exe", {}},
        {L"\"C:\\Program Files\\Velotune\\Velotune.exe\"", {}},
        {L"\"C:\\Program Files\\Velotune\\Velotune.exe\" /checkupdate", {L"/checkupdate"}},
        // The name's closing quote ends it even without a blank after it.
        {L"\"C:\\a b\\V.exe\"/checkupdate x", {L"/checkupdate", L"x"}},
        {L"V.exe   /CHECKUPDATE\t second ", {L"/CHECKUPDATE", L"second"}},
        {L"V.exe \"a b\" c", {L"a b", L"c"}},
        {L"V.exe a\"b c\"d", {L"ab cd"}},
        {L"V.exe \"\"", {L""}},
        {L"V.exe \"\" x", {L"", L"x"}},
        {L"V.exe a\\\\b", {L"a\\\\b"}},
        {L"V.exe a\\\"b", {L"a\"b"}},
        {L"V.exe a\\\\\"b c\"", {L"a\\b c"}},
        {L"V.exe a\\\\\\\"b", {L"a\\\"b"}},
        {L"V.exe \"C:\\dir\\\\\"", {L"C:\\dir\\"}},
        {L"V.exe \"a\"\"b\" c", {L"a\"b c"}},
        {L"V.exe trailing\\", {L"trailing\\"}},
        {L"V.exe \"unclosed arg", {L"unclosed arg"}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.arguments)
            << "line: " << testing::PrintToString(std::wstring(c.line));
    }
}

}  // namespace
}  // namespace vt
