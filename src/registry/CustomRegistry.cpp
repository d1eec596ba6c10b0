#include "registry/CustomRegistry.h"

#include <vector>

#include "registry/Utf16.h"

namespace vt {
namespace {

std::uint32_t Mask(std::uint32_t access, bool wow64) {
    return wow64 ? (access | RegAccess::Wow64Key64) : access;
}

std::wstring Relative(const std::wstring& path) {
    return !path.empty() && path.front() == L'\\' ? path.substr(1) : path;
}

Bytes DwordBytes(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

}  // namespace

std::wstring CustomRegistry::ReadRegString(RegRoot root, const std::wstring& path,
                                           const std::wstring& name,
                                           const std::wstring& defaultValue,
                                           bool wow64) const noexcept {
    try {
        RegKey key(backend_);
        if (!backend_.OpenKey(root, Relative(path), Mask(RegAccess::Read, wow64), key.put())) {
            return defaultValue;
        }
        std::uint32_t type = RegType::None;
        std::uint32_t size = 0;
        if (!backend_.QueryValue(key.get(), name, type, nullptr, size) || size == 0) {
            return defaultValue;
        }
        // The buffer is exactly the stored size: nothing promises a terminating NUL in it.
        std::vector<std::uint8_t> buffer(size);
        if (!backend_.QueryValue(key.get(), name, type, buffer.data(), size) ||
            (type != RegType::Sz && type != RegType::ExpandSz)) {
            return defaultValue;
        }
        std::u16string units = Utf16FromBytesLE(buffer.data(), size);
        units.resize(std::char_traits<char16_t>::length(units.c_str()));
        return units.empty() ? defaultValue : FromUtf16(units);
    } catch (...) {
        return defaultValue;
    }
}

std::optional<std::int32_t> CustomRegistry::ReadDword(RegRoot root, const std::wstring& path,
                                                      const std::wstring& name, bool wow64) const {
    RegKey key(backend_);
    if (!backend_.OpenKey(root, Relative(path), Mask(RegAccess::Read, wow64), key.put())) {
        return std::nullopt;
    }
    // A REG_DWORD of any other size than 4 bytes is not a number and reads as the default, as
    // Windows' own typed read (RegGetValueW with RRF_RT_REG_DWORD) refuses it too.
    std::uint8_t buffer[4] = {};
    std::uint32_t type = RegType::None;
    std::uint32_t size = sizeof buffer;
    if (!backend_.QueryValue(key.get(), name, type, buffer, size) || type != RegType::Dword ||
        size != sizeof buffer) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(buffer[0]) |
                                     (static_cast<std::uint32_t>(buffer[1]) << 8) |
                                     (static_cast<std::uint32_t>(buffer[2]) << 16) |
                                     (static_cast<std::uint32_t>(buffer[3]) << 24));
}

std::int32_t CustomRegistry::ReadRegInteger(RegRoot root, const std::wstring& path,
                                            const std::wstring& name, std::int32_t defaultValue,
                                            bool wow64) const noexcept {
    try {
        return ReadDword(root, path, name, wow64).value_or(defaultValue);
    } catch (...) {
        return defaultValue;
    }
}

bool CustomRegistry::ReadRegBool(RegRoot root, const std::wstring& path, const std::wstring& name,
                                 bool defaultValue, bool wow64) const noexcept {
    try {
        const auto number = ReadDword(root, path, name, wow64);
        return number ? *number != 0 : defaultValue;
    } catch (...) {
        return defaultValue;
    }
}

void CustomRegistry::Write(RegRoot root, const std::wstring& path, const std::wstring& name,
                           std::uint32_t type, const Bytes& data, bool wow64) {
    RegKey key(backend_);
    if (!backend_.CreateKey(root, Relative(path), Mask(RegAccess::Write, wow64), key.put())) {
        return;
    }
    backend_.SetValue(key.get(), name, type, data.data(), static_cast<std::uint32_t>(data.size()));
}

void CustomRegistry::WriteRegString(RegRoot root, const std::wstring& path,
                                    const std::wstring& name, const std::wstring& value,
                                    bool wow64) noexcept {
    try {
        Write(root, path, name, RegType::Sz, ToRegSzBytes(value), wow64);
    } catch (...) {
    }
}

void CustomRegistry::WriteRegInteger(RegRoot root, const std::wstring& path,
                                     const std::wstring& name, std::int32_t value,
                                     bool wow64) noexcept {
    try {
        Write(root, path, name, RegType::Dword, DwordBytes(value), wow64);
    } catch (...) {
    }
}

void CustomRegistry::WriteRegBinary(RegRoot root, const std::wstring& path,
                                    const std::wstring& name, const Bytes& data,
                                    bool wow64) noexcept {
    try {
        Write(root, path, name, RegType::Binary, data, wow64);
    } catch (...) {
    }
}

void CustomRegistry::WriteRegBool(RegRoot root, const std::wstring& path, const std::wstring& name,
                                  bool value, bool wow64) noexcept {
    WriteRegInteger(root, path, name, value ? 1 : 0, wow64);
}

void CustomRegistry::DeleteRegValue(RegRoot root, const std::wstring& path,
                                    const std::wstring& name, bool wow64) noexcept {
    try {
        RegKey key(backend_);
        if (backend_.OpenKey(root, Relative(path), Mask(RegAccess::AllAccess, wow64), key.put())) {
            backend_.DeleteValue(key.get(), name);
        }
    } catch (...) {
    }
}

std::optional<RegValue> CustomRegistry::ReadRegRaw(RegRoot root, const std::wstring& path,
                                                   const std::wstring& name,
                                                   bool wow64) const noexcept {
    try {
        RegKey key(backend_);
        if (!backend_.OpenKey(root, Relative(path), Mask(RegAccess::Read, wow64), key.put())) {
            return std::nullopt;
        }
        RegValue value;
        std::uint32_t size = 0;
        if (!backend_.QueryValue(key.get(), name, value.type, nullptr, size)) {
            return std::nullopt;
        }
        value.data.resize(size);
        std::uint32_t read = size;
        // A value that changes size between the two queries is not taken.
        if (size != 0 &&
            (!backend_.QueryValue(key.get(), name, value.type, value.data.data(), read) ||
             read != size)) {
            return std::nullopt;
        }
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

void CustomRegistry::WriteRegRaw(RegRoot root, const std::wstring& path, const std::wstring& name,
                                 const RegValue& value, bool wow64) noexcept {
    try {
        Write(root, path, name, value.type, value.data, wow64);
    } catch (...) {
    }
}

}  // namespace vt
