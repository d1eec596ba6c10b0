#pragma once

#include <map>
#include <string>
#include <vector>

#include "registry/RegistryBackend.h"

namespace vt::test {

// Passes every call on and records it, with the key path each handle was opened for.
class RecordingBackend final : public RegistryBackend {
public:
    enum class Kind { Open, Create, Query, Set, Delete, Close };
    struct Call {
        Kind kind;
        RegRoot root;
        std::wstring path;
        std::wstring name;
        std::uint32_t access = 0;  // Open, Create
        RegValue value = {};       // Set
    };

    explicit RecordingBackend(RegistryBackend& inner) : inner_(inner) {}

    std::vector<Call> calls;
    // Only the calls that change the store.
    std::vector<Call> Mutations() const;
    std::size_t OpenHandles() const { return open_.size(); }

    bool OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                 KeyHandle& key) override;
    bool CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                   KeyHandle& key) override;
    bool QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& size) override;
    bool SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
    bool DeleteValue(KeyHandle key, const std::wstring& name) override;
    void CloseKey(KeyHandle key) noexcept override;

private:
    struct Opened {
        RegRoot root;
        std::wstring path;
    };
    Call For(Kind kind, KeyHandle key, const std::wstring& name) const;

    RegistryBackend& inner_;
    std::map<KeyHandle, Opened> open_;
};

}  // namespace vt::test
