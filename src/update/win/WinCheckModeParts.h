#pragma once

#include <string>

#include "update/CheckMode.h"

namespace vt {

// Looks up the first top-level window of the class (FindWindowW, no title) and sends it WM_CLOSE,
// returning once that window has handled it. Nothing when there is none.
void CloseWindowByClass(const std::wstring& className) noexcept;

class WinWindowCloser final : public WindowCloser {
public:
    void CloseWindowByClass(const std::wstring& className) noexcept override;
};

// MessageBoxW without an owner window.
class WinMessageDialog final : public MessageDialog {
public:
    int ShowMessage(const std::wstring& text, const std::wstring& caption,
                    unsigned type) noexcept override;
};

}  // namespace vt
