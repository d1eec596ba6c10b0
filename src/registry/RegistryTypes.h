#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

// The predefined roots the program uses, with their Windows handle values.
enum class RegRoot : std::uint32_t {
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
};

// Registry data types, with their Windows numbers.
namespace RegType {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Sz = 1;
inline constexpr std::uint32_t ExpandSz = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
}  // namespace RegType

// Access masks, with the Windows values.
namespace RegAccess {
inline constexpr std::uint32_t QueryValue = 0x0001;
inline constexpr std::uint32_t SetValue = 0x0002;
inline constexpr std::uint32_t CreateSubKey = 0x0004;
inline constexpr std::uint32_t Read = 0x20019;
inline constexpr std::uint32_t Write = 0x20006;
inline constexpr std::uint32_t AllAccess = 0xF003F;
inline constexpr std::uint32_t Wow64Key64 = 0x0100;
}  // namespace RegAccess

using Bytes = std::vector<std::uint8_t>;

// A value exactly as stored: its type and its bytes.
struct RegValue {
    std::uint32_t type = RegType::None;
    Bytes data;

    bool operator==(const RegValue&) const = default;
};

}  // namespace vt
