#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "shell/ProgramFiles.h"
#include "shell/win/ShellPlatform.h"
#include "shell/win/WinLauncher.h"
#include "win/ScratchFolder.h"

// The built help file in the real help viewer, asked for as the program asks for it.

namespace vt {
namespace {

// The build's program folder as Windows paths see it (drive Z: is the host's root).
std::wstring BuiltProgramFolder() {
    std::wstring folder = VT_PROGRAM_FOLDER;
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
}

HWND FindOwnWindowTitled(const std::wstring& title) {
    struct Search {
        const std::wstring* title;
        HWND found;
    } search{&title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            if (owner == GetCurrentProcessId() && *s->title == text) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(HelpFile, OpensInTheViewerWithItsOwnWindowDefinition) {
    const HtmlHelpFunction htmlHelp = LoadHtmlHelp();
    ASSERT_NE(htmlHelp, nullptr);
    WinShellPlatform platform;
    WinLauncher(platform, BuiltProgramFolder()).ShowHelpTopic(kHelpFile, kHelpTopic);

    // The title and the frame come from the window definition inside the file (the file's own
    // title is plain "Velotune"): the viewer read the built file and took its definition. Wine's
    // viewer does not insist on the name; tests/help/check_chm.py checks that it is "HelpWindow".
    HWND viewer = nullptr;
    EXPECT_TRUE(test::WaitFor(
        [&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            return (viewer = FindOwnWindowTitled(L"Velotune Help")) != nullptr;
        },
        10000));
    if (viewer != nullptr) {
        RECT frame{};
        GetWindowRect(viewer, &frame);
        EXPECT_EQ(frame.right - frame.left, 820);  // [80,60,900,680] in the definition
        EXPECT_EQ(frame.bottom - frame.top, 620);
    }
    htmlHelp(nullptr, nullptr, 0x12 /* HH_CLOSE_ALL */, 0);
}

}  // namespace
}  // namespace vt
