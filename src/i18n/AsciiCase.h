#pragma once

#include <string>
#include <string_view>

namespace vt {

// Letter case as the language tables know it: A to Z only, whatever the locale.
std::wstring AsciiLower(std::wstring_view text);
bool AsciiEqualNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace vt
