#include "update/win/WinCheckModeParts.h"

#include <windows.h>

namespace vt {

void CloseWindowByClass(const std::wstring& className) noexcept {
    if (HWND window = FindWindowW(className.c_str(), nullptr)) {
        SendMessageW(window, WM_CLOSE, 0, 0);
    }
}

void WinWindowCloser::CloseWindowByClass(const std::wstring& className) noexcept {
    vt::CloseWindowByClass(className);
}

int WinMessageDialog::ShowMessage(const std::wstring& text, const std::wstring& caption,
                                  unsigned type) noexcept {
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
}

}  // namespace vt
