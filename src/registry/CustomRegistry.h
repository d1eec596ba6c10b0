#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "registry/RegistryBackend.h"

namespace vt {

// Every registry access of the program. Each call opens its key, does one value operation and
// closes the key; nothing throws, a failed read gives the caller's default and a failed write or
// delete changes nothing. Paths are written "\Like\This\": one leading backslash is dropped, a
// trailing one adds no key level.
class CustomRegistry {
public:
    explicit CustomRegistry(RegistryBackend& backend) : backend_(backend) {}

    std::wstring ReadRegString(RegRoot root, const std::wstring& path, const std::wstring& name,
                               const std::wstring& defaultValue, bool wow64) const noexcept;
    std::int32_t ReadRegInteger(RegRoot root, const std::wstring& path, const std::wstring& name,
                                std::int32_t defaultValue, bool wow64) const noexcept;
    bool ReadRegBool(RegRoot root, const std::wstring& path, const std::wstring& name,
                     bool defaultValue, bool wow64) const noexcept;

    void WriteRegString(RegRoot root, const std::wstring& path, const std::wstring& name,
                        const std::wstring& value, bool wow64) noexcept;
    void WriteRegInteger(RegRoot root, const std::wstring& path, const std::wstring& name,
                         std::int32_t value, bool wow64) noexcept;
    void WriteRegBinary(RegRoot root, const std::wstring& path, const std::wstring& name,
                        const Bytes& data, bool wow64) noexcept;
    void WriteRegBool(RegRoot root, const std::wstring& path, const std::wstring& name, bool value,
                      bool wow64) noexcept;
    void DeleteRegValue(RegRoot root, const std::wstring& path, const std::wstring& name,
                        bool wow64) noexcept;

    // A value exactly as stored (any type, any size), or nothing when it cannot be read. Lets the
    // tweak backup record and put back what the user had, whatever it was.
    std::optional<RegValue> ReadRegRaw(RegRoot root, const std::wstring& path,
                                       const std::wstring& name, bool wow64) const noexcept;
    void WriteRegRaw(RegRoot root, const std::wstring& path, const std::wstring& name,
                     const RegValue& value, bool wow64) noexcept;

private:
    std::optional<std::int32_t> ReadDword(RegRoot root, const std::wstring& path,
                                          const std::wstring& name, bool wow64) const;
    void Write(RegRoot root, const std::wstring& path, const std::wstring& name, std::uint32_t type,
               const Bytes& data, bool wow64);

    RegistryBackend& backend_;
};

}  // namespace vt
