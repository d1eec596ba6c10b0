#include <windows.h>
// After windows.h, which it needs.
#include <aclapi.h>

#include <atomic>
#include <string>

#include "registry/win/WinRegistryBackend.h"
#include "support/RegistryHarness.h"

namespace vt::test {
namespace {

constexpr const wchar_t* kTestRoot = L"Software\\VelotuneTests";

constexpr DWORD kModifyingRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

// Wine keeps security descriptors on keys but does not check them. Where a read-only DACL is not
// enforced, this refuses what Windows would refuse: opening below the base for modification.
std::wstring UniqueName() {
    static std::atomic<int> counter{0};
    return std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

class RefusingBackend final : public RegistryBackend {
public:
    RefusingBackend(RegistryBackend& inner, std::wstring prefix)
        : inner_(inner), prefix_(std::move(prefix)) {}
    bool refusing = false;

    bool OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                 KeyHandle& key) override {
        return !Refused(path, access) && inner_.OpenKey(root, path, access, key);
    }
    bool CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                   KeyHandle& key) override {
        return !Refused(path, access | KEY_CREATE_SUB_KEY) &&
               inner_.CreateKey(root, path, access, key);
    }
    bool QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& size) override {
        return inner_.QueryValue(key, name, type, data, size);
    }
    bool SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override {
        return inner_.SetValue(key, name, type, data, size);
    }
    bool DeleteValue(KeyHandle key, const std::wstring& name) override {
        return inner_.DeleteValue(key, name);
    }
    void CloseKey(KeyHandle key) noexcept override { inner_.CloseKey(key); }

private:
    bool Refused(const std::wstring& path, std::uint32_t access) const {
        return refusing && (access & kModifyingRights) != 0 &&
               _wcsnicmp(path.c_str(), prefix_.c_str(), prefix_.size()) == 0;
    }

    RegistryBackend& inner_;
    std::wstring prefix_;
};

class WindowsHarness final : public RegistryHarness {
public:
    WindowsHarness() = default;
    ~WindowsHarness() override {
        // Give the key back its rights first, or it could not be removed.
        if (refused_) {
            SetKeyDacl(nullptr);
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kTestRoot) + L"\\" + name_).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kTestRoot);  // only succeeds once empty
    }

    RegistryBackend& Backend() override { return refusing_; }
    std::wstring Base() const override {
        return L"\\" + std::wstring(kTestRoot) + L"\\" + name_ + L"\\";
    }

    // A DACL granting only KEY_READ to everyone, inherited by the subkeys created before.
    void RefuseWrites() override {
        EXPLICIT_ACCESSW access = {};
        access.grfAccessPermissions = KEY_READ;
        access.grfAccessMode = SET_ACCESS;
        access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
        access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
        PACL acl = nullptr;
        if (SetEntriesInAclW(1, &access, nullptr, &acl) == ERROR_SUCCESS) {
            SetKeyDacl(acl);
            LocalFree(acl);
            refused_ = true;
        }
        HKEY probe = nullptr;
        const std::wstring path = Base().substr(1) + L"probe";
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &probe, nullptr) == ERROR_SUCCESS) {
            RegCloseKey(probe);
            RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
            refusing_.refusing = true;
        }
    }

private:
    void SetKeyDacl(PACL acl) {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(kTestRoot) + L"\\" + name_;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | WRITE_DAC,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return;
        }
        SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                        nullptr);
        RegCloseKey(key);
    }

    WinRegistryBackend backend_;
    std::wstring name_ = UniqueName();
    RefusingBackend refusing_{backend_, Base().substr(1)};
    bool refused_ = false;
};

}  // namespace

std::unique_ptr<RegistryHarness> MakeWindowsHarness() {
    return std::make_unique<WindowsHarness>();
}

}  // namespace vt::test
