#include "registry/win/WinRegistryBackend.h"

#include <windows.h>

#include <vector>

namespace vt {
namespace {

// The predefined handles are sign-extended on 64-bit Windows: map by name, never by value.
HKEY RootHandle(RegRoot root) {
    return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY ToHkey(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

bool WinRegistryBackend::OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                                 KeyHandle& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(RootHandle(root), path.c_str(), 0, access, &opened) != ERROR_SUCCESS) {
        return false;
    }
    key = reinterpret_cast<KeyHandle>(opened);
    return true;
}

bool WinRegistryBackend::CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                                   KeyHandle& key) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &created, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    key = reinterpret_cast<KeyHandle>(created);
    return true;
}

bool WinRegistryBackend::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                                    std::uint8_t* data, std::uint32_t& size) {
    DWORD valueType = REG_NONE;
    DWORD valueSize = size;
    const LSTATUS status =
        RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &valueType, data, &valueSize);
    if (status != ERROR_SUCCESS) {
        return false;
    }
    type = valueType;
    size = valueSize;
    return true;
}

bool WinRegistryBackend::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
    // Windows appends a NUL to string data whose count left it out when the byte after the data
    // happens to be NUL; non-NUL padding beyond the count keeps the stored bytes exact.
    std::vector<BYTE> padded(data, data + (data == nullptr ? 0 : size));
    padded.push_back(0xFF);
    padded.push_back(0xFF);
    return RegSetValueExW(ToHkey(key), name.c_str(), 0, type, padded.data(), size) == ERROR_SUCCESS;
}

bool WinRegistryBackend::DeleteValue(KeyHandle key, const std::wstring& name) {
    return RegDeleteValueW(ToHkey(key), name.c_str()) == ERROR_SUCCESS;
}

void WinRegistryBackend::CloseKey(KeyHandle key) noexcept {
    RegCloseKey(ToHkey(key));
}

}  // namespace vt
