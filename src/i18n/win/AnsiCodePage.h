#pragma once

#include <string>
#include <string_view>

namespace vt {

// 8-bit text in the system's ANSI code page (CP_ACP); the AnsiDecoder of the Windows program.
std::wstring DecodeAnsiCodePage(std::string_view bytes);

}  // namespace vt
