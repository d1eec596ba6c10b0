#pragma once

#include <string>

#include "i18n/Captions.h"
#include "shell/Launcher.h"
#include "update/UpdateQuery.h"

namespace vt {

// What the separate updater program needs of the platform besides the query and the launcher.
class UpdaterPlatform {
public:
    enum class Icon { Warning, Information, Question };

    virtual ~UpdaterPlatform() = default;

    // Claims the one updater of this session; false when another updater holds it.
    virtual bool ClaimSingleInstance() = 0;
    // Brings the running updater's message to the front, if it shows one.
    virtual void ActivateRunningInstance() = 0;
    // Whether this user may change the program's key, which installing an update needs.
    virtual bool CanWriteProgramKey() = 0;
    // A message with an OK button.
    virtual void Tell(const std::wstring& caption, const std::wstring& text, Icon icon) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::wstring& caption, const std::wstring& text) = 0;
};

// How a run of the updater ended.
enum class UpdaterOutcome {
    AlreadyRunning,
    NoRights,
    NoConnection,
    NoUpdate,
    UpdateDeclined,
    DownloadPageOpened,
};

// The updater, honest about what it can do: it asks the maker's server whether a newer version
// exists and, when one does, offers to open its download page in the browser. It downloads and
// runs nothing itself. `webHost` is the maker's host (host or host:port). Never throws.
UpdaterOutcome RunUpdater(const Captions& captions, UpdateQuery& query, Launcher& launcher,
                          UpdaterPlatform& platform, const std::wstring& webHost) noexcept;

// The page where a new version is downloaded: "http://HOST/downloads/".
std::wstring DownloadPageOf(const std::wstring& webHost);

// The language table's section of the updater and its title row.
inline constexpr const wchar_t* kUpdaterWindowName = L"VTUpdateForm";

}  // namespace vt
