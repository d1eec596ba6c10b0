#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "registry/RegistryTypes.h"

namespace vt {

using KeyHandle = std::uintptr_t;
inline constexpr KeyHandle kNoKey = 0;

// The six primitives a registry store provides; the Windows functions of the same names are the
// model for every result. Paths are relative to the root and carry no leading backslash.
class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // Fails when the key is missing or the access is refused.
    virtual bool OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                         KeyHandle& key) = 0;
    // Creates every missing key on the path first; fails only when refused.
    virtual bool CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                           KeyHandle& key) = 0;
    // With data null: reports type and size. With a buffer: size is its capacity on entry, the
    // stored size on return; fails without writing when the buffer is too small.
    virtual bool QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                            std::uint8_t* data, std::uint32_t& size) = 0;
    // Replaces any value of that name, whatever its type.
    virtual bool SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
    virtual bool DeleteValue(KeyHandle key, const std::wstring& name) = 0;
    // Called from destructors: must not throw.
    virtual void CloseKey(KeyHandle key) noexcept = 0;
};

// An open key of a back-end, closed when it goes out of scope.
class RegKey {
public:
    explicit RegKey(RegistryBackend& backend) : backend_(&backend) {}
    RegKey(RegKey&& other) noexcept
        : backend_(other.backend_), key_(std::exchange(other.key_, kNoKey)) {}
    RegKey& operator=(RegKey&&) = delete;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    KeyHandle get() const noexcept { return key_; }
    // For a call that opens a key into it: a key already held is closed first, never leaked.
    KeyHandle& put() noexcept {
        Close();
        return key_;
    }

private:
    void Close() noexcept {
        if (key_ != kNoKey) {
            backend_->CloseKey(std::exchange(key_, kNoKey));
        }
    }

    RegistryBackend* backend_;
    KeyHandle key_ = kNoKey;
};

}  // namespace vt
