#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vt {

// The arguments of a Windows command line, without the program's name, split as
// CommandLineToArgvW splits them: whitespace separates, double quotes group, 2n backslashes
// before a quote give n and the quote groups, 2n+1 give n and a literal quote, and two quotes
// inside a quoted part give one literal quote and end that part. The program's name ends with
// the quote that closes it when it starts with one (the first argument may follow at once),
// otherwise at the first whitespace.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

}  // namespace vt
