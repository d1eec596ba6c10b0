#include "update/CheckMode.h"

#include "shell/ProgramFiles.h"

namespace vt {

void RunCheckMode(UpdateQuery& query, WindowCloser& closer, MessageDialog& dialog,
                  Launcher& launcher, const Captions& captions) noexcept {
    try {
        if (query.QueryUpdate() != 1) {
            return;
        }
        // The running program goes away before the question, whatever the answer will be.
        for (const wchar_t* className : {L"TVTAboutForm", L"TVTSettingsForm", L"TVTMainForm"}) {
            closer.CloseWindowByClass(className);
        }
        const std::wstring caption = captions.GetCaption(L"VTMainForm", L"VTMainForm");
        const std::wstring text = captions.GetCaption(L"VTUpdateForm", L"MessageBoxUpdate1") +
                                  L"\r\n\r\n" +
                                  captions.GetCaption(L"VTUpdateForm", L"MessageBoxUpdate2");
        if (dialog.ShowMessage(text, caption, kMbYesNo | kMbIconInformation) == kIdYes) {
            launcher.StartProgram(launcher.ProgramFolder() + kUpdaterFile, std::wstring());
        }
    } catch (...) {
    }
}

}  // namespace vt
