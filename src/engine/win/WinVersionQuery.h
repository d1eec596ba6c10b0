#pragma once

#include <windows.h>

#include <cstdint>

namespace vt {

using VersionQuery = BOOL(WINAPI*)(LPOSVERSIONINFOW);

// The Windows version code of the running system (see ClassifyWindowsVersion), or -1. What the
// system reports depends on the supportedOS entries of the executable's manifest. The query is
// replaceable so that the fallback to the plain structure can be exercised.
std::int32_t GetWindowsVersion(VersionQuery query = &::GetVersionExW) noexcept;

}  // namespace vt
