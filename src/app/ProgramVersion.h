#pragma once

namespace vt {

// Shown by the main and About windows and sent with the update query.
inline constexpr const wchar_t* kProgramVersion = L"4.3.29.2021";

}  // namespace vt
