#include "updater/win/UpdaterProcess.h"

#include <objbase.h>
#include <windows.h>

#include "i18n/Captions.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/win/WinRegistryBackend.h"
#include "shell/win/WinLauncher.h"
#include "update/UpdaterLanguage.h"
#include "updater/win/WinUpdaterPlatform.h"

namespace vt {
namespace {

// The shell opens addresses through COM handlers and wants an apartment on the calling thread.
class ComApartment {
public:
    ComApartment() noexcept
        : initialized_(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialized_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

}  // namespace

UpdaterOutcome RunUpdaterProcess(UpdateQuery& query, const std::wstring& webHost) noexcept {
    try {
        const ComApartment apartment;
        WinRegistryBackend backend;
        const CustomRegistry registry(backend);
        const WinLanguageResources ownTables;
        const TablesWithEnglishFallback tables(ownTables);
        const Captions captions(registry, tables, &DecodeAnsiCodePage);
        WinUpdaterPlatform platform(backend,
                                    captions.GetCaption(kUpdaterWindowName, kUpdaterWindowName));
        WinLauncher launcher;
        return RunUpdater(captions, query, launcher, platform, webHost);
    } catch (...) {
        return UpdaterOutcome::NoConnection;
    }
}

}  // namespace vt
