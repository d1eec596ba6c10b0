#include "app/CommandLine.h"

namespace vt {
namespace {

bool IsBlank(wchar_t c) noexcept {
    return c == L' ' || c == L'\t';
}

std::size_t SkipProgramName(std::wstring_view line) noexcept {
    if (!line.empty() && line[0] == L'"') {
        const std::size_t close = line.find(L'"', 1);
        return close == std::wstring_view::npos ? line.size() : close + 1;
    }
    std::size_t i = 0;
    while (i < line.size() && !IsBlank(line[i])) {
        ++i;
    }
    return i;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
    std::vector<std::wstring> arguments;
    std::size_t i = SkipProgramName(line);
    while (true) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        if (i >= line.size()) {
            return arguments;
        }
        std::wstring argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    argument += L'"';
                    quoted = false;
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, L'\\');
                if (backslashes == 0 && i < line.size()) {
                    argument += line[i++];
                }
            }
        }
        arguments.push_back(std::move(argument));
    }
}

}  // namespace vt
