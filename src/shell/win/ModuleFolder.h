#pragma once

#include <windows.h>

#include <string>

namespace vt {

// The folder of a loaded module's file (null: the running executable) with a trailing separator;
// long paths and any characters included. Empty when the path cannot be had.
// `read` is GetModuleFileNameW unless a test stands in for it.
using ModuleFileNameReader = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
std::wstring ModuleFolder(HMODULE module, ModuleFileNameReader read = &GetModuleFileNameW) noexcept;

}  // namespace vt
