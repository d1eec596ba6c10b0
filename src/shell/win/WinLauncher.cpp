#include "shell/win/WinLauncher.h"

#include <htmlhelp.h>

#include <utility>

#include "shell/ProgramFiles.h"
#include "shell/win/ModuleFolder.h"

namespace vt {

WinLauncher::WinLauncher() noexcept
    : platform_(ownPlatform_), programFolder_(ModuleFolder(nullptr)) {}

WinLauncher::WinLauncher(ShellPlatform& platform, std::wstring programFolder) noexcept
    : platform_(platform), programFolder_(std::move(programFolder)) {}

void WinLauncher::Open(HWND owner, const std::wstring& file,
                       const std::wstring& parameters) noexcept {
    platform_.Execute(owner, L"open", file.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
}

void WinLauncher::OpenDocument(const std::wstring& file, const std::wstring& parameters) {
    Open(applicationWindow_, file, parameters);
}

void WinLauncher::StartProgram(const std::wstring& file, const std::wstring& parameters) {
    Open(nullptr, file, parameters);
}

void WinLauncher::ShowHelpTopic(const std::wstring& helpFile, const std::wstring& topic) {
    try {
        const std::wstring path = HelpTopicPath(programFolder_, helpFile, topic);
        platform_.ShowHtmlHelp(GetDesktopWindow(), path.c_str(), HH_DISPLAY_TOPIC, 0);
    } catch (...) {
    }
}

void WinLauncher::OpenLink(const std::wstring& target) {
    Open(applicationWindow_, target, std::wstring());
}

std::wstring WinLauncher::ProgramFolder() const {
    return programFolder_;
}

}  // namespace vt
