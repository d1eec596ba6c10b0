#include "update/Updater.h"

namespace vt {
namespace {

// Two lines of the updater's section, joined by an empty line.
std::wstring Message(const Captions& captions, const wchar_t* firstKey, const wchar_t* secondKey) {
    return captions.GetCaption(kUpdaterWindowName, firstKey) + L"\r\n\r\n" +
           captions.GetCaption(kUpdaterWindowName, secondKey);
}

}  // namespace

std::wstring DownloadPageOf(const std::wstring& webHost) {
    return L"http://" + webHost + L"/downloads/";
}

UpdaterOutcome RunUpdater(const Captions& captions, UpdateQuery& query, Launcher& launcher,
                          UpdaterPlatform& platform, const std::wstring& webHost) noexcept {
    try {
        if (!platform.ClaimSingleInstance()) {
            platform.ActivateRunningInstance();
            return UpdaterOutcome::AlreadyRunning;
        }
        const std::wstring caption = captions.GetCaption(kUpdaterWindowName, kUpdaterWindowName);
        // Checked first: without these rights no update could be installed, so asking the
        // server would only raise hopes.
        if (!platform.CanWriteProgramKey()) {
            platform.Tell(caption, Message(captions, L"MessageBoxAdmin1", L"MessageBoxAdmin2"),
                          UpdaterPlatform::Icon::Warning);
            return UpdaterOutcome::NoRights;
        }
        switch (query.QueryUpdate()) {
            case 1:
                break;
            case 0:
            case 2:
                platform.Tell(caption,
                              Message(captions, L"MessageBoxNoUpdate1", L"MessageBoxNoUpdate2"),
                              UpdaterPlatform::Icon::Information);
                return UpdaterOutcome::NoUpdate;
            default:
                platform.Tell(
                    caption,
                    Message(captions, L"MessageBoxNoConnection1", L"MessageBoxNoConnection2"),
                    UpdaterPlatform::Icon::Warning);
                return UpdaterOutcome::NoConnection;
        }
        // There is no signed download to install from, so the user fetches the new version.
        if (!platform.AskYesNo(caption, Message(captions, L"MessageBoxManualUpdate1",
                                                L"MessageBoxManualUpdate2"))) {
            return UpdaterOutcome::UpdateDeclined;
        }
        launcher.OpenLink(DownloadPageOf(webHost));
        return UpdaterOutcome::DownloadPageOpened;
    } catch (...) {
        return UpdaterOutcome::NoConnection;
    }
}

}  // namespace vt
