#pragma once

#include "registry/RegistryBackend.h"

namespace vt {

// The six primitives on the Windows registry (advapi32).
class WinRegistryBackend final : public RegistryBackend {
public:
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
};

}  // namespace vt
