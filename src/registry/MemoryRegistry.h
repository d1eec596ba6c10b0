#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "registry/RegistryBackend.h"

namespace vt {

// An in-memory registry with the semantics of the Windows one: key and value names compared without
// regard to letter case, typed byte data, access checked against the mask a key was opened with.
// A root can be made read-only to model a user without administrator rights.
class MemoryRegistry final : public RegistryBackend {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    // While set, opening a key under the root for anything but reading is refused.
    void SetReadOnly(RegRoot root, bool readOnly);
    // Number of keys currently open: lets tests prove that every call closed its key.
    std::size_t OpenKeyCount() const { return handles_.size(); }
    bool KeyExists(RegRoot root, const std::wstring& path) const;
    // Every value, keyed "HKCU\path\name" in folded letter case: lets tests compare whole stores.
    std::map<std::wstring, RegValue> Values() const;

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
    struct Node;
    struct OpenKeyState {
        Node* node;
        std::uint32_t access;
    };

    // The key at the path, or null; looks only, never adds a key.
    Node* Lookup(RegRoot root, const std::wstring& path) const;
    // The key at the path, every missing key on the way created; null for an invalid path.
    Node* LookupOrCreate(RegRoot root, const std::wstring& path);
    bool Refused(RegRoot root, std::uint32_t access) const;
    KeyHandle Register(Node* node, std::uint32_t access);
    const OpenKeyState* State(KeyHandle key) const;

    std::map<RegRoot, std::unique_ptr<Node>> roots_;
    std::set<RegRoot> readOnly_;
    std::map<KeyHandle, OpenKeyState> handles_;
    KeyHandle nextHandle_ = 0x1000;
};

}  // namespace vt
