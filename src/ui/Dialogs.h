#pragma once

#include <initializer_list>
#include <string>

namespace vt {

// Message box styles and answers, with the Windows values.
namespace box {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kDefaultButton2 = 0x100;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace box

// System message boxes owned by the main window.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The button pressed (box::kId...), or 0 when the box could not be shown.
    virtual int Ask(const std::wstring& text, const std::wstring& caption, unsigned style) = 0;
};

// Texts of a question, separated by one empty line.
inline std::wstring JoinParagraphs(std::initializer_list<std::wstring> parts) {
    std::wstring out;
    bool first = true;
    for (const std::wstring& part : parts) {
        if (!first) {
            out += L"\r\n\r\n";
        }
        out += part;
        first = false;
    }
    return out;
}

}  // namespace vt
