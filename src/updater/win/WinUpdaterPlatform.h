#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "registry/RegistryBackend.h"
#include "update/Updater.h"

namespace vt {

// The updater's platform on Windows: a session-wide mutex for its single instance, system message
// boxes without an owner, and the registry for its rights.
class WinUpdaterPlatform final : public UpdaterPlatform {
public:
    // `caption` is the updater's title, by which a second updater finds the first one's message.
    WinUpdaterPlatform(RegistryBackend& registry, std::wstring caption,
                       const wchar_t* mutexName = kMutexName) noexcept
        : registry_(registry), caption_(std::move(caption)), mutexName_(mutexName) {}

    bool ClaimSingleInstance() override;
    void ActivateRunningInstance() override;
    bool CanWriteProgramKey() override;
    void Tell(const std::wstring& caption, const std::wstring& text, Icon icon) override;
    bool AskYesNo(const std::wstring& caption, const std::wstring& text) override;

    static constexpr const wchar_t* kMutexName = L"Local\\QENTRA.Velotune.Updater";

private:
    struct HandleCloser {
        void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
    };
    using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

    RegistryBackend& registry_;
    std::wstring caption_;
    const wchar_t* mutexName_;
    UniqueHandle mutex_;
};

}  // namespace vt
