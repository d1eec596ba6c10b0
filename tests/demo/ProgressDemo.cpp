// Shows the progress window over a stand-in main window running an optimize's 31 steps (or a
// Restore's 27 with --restore), paced as this build paces. For looking at it under Xvfb:
//   --hold-after N [--hold-ms M]  keeps the window up M ms (default 5000) after step N
//   --check                       exit code 1 unless the window is laid out for this density
//                                 and the bar ends at 100; prints what it measured
//   --expect-dpi D                with --check: the density the window must be laid out for; also
//                                 asks the window to close from another process during a step
//   --send-close                  (that other process) sends and posts WM_CLOSE to the window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "i18n/Captions.h"
#include "i18n/win/AnsiCodePage.h"
#include "i18n/win/WinLanguageResources.h"
#include "registry/CustomRegistry.h"
#include "registry/win/WinRegistryBackend.h"
#include "ui/win/Application.h"
#include "ui/win/Dpi.h"
#include "ui/win/NativeHandCursor.h"
#include "ui/win/NativeHintWindow.h"
#include "ui/win/ProgressBar.h"
#include "ui/win/WinPacing.h"
#include "ui/win/forms/VarnixSettingsForm.h"

namespace {

using namespace vt;

// The step keys of the two operations, with how many steps each shows.
struct StepRun {
    int key;
    int times;
};
constexpr StepRun kOptimizeSteps[] = {{1, 2}, {2, 3}, {3, 1}, {4, 2}, {5, 4},
                                      {6, 4}, {7, 2}, {8, 3}, {9, 4}, {10, 6}};
constexpr StepRun kRestoreSteps[] = {{1, 2}, {2, 3}, {3, 1}, {4, 2}, {5, 4}, {6, 4}, {11, 11}};

constexpr win::FormDef kStandIn{.className = L"TkDemoMainWindow",
                                .name = L"DemoMain",
                                .clientWidth = 764,
                                .clientHeight = 500,
                                .titleButtons = win::kSystemMenu | win::kMinimizeButton};

// Another process asks the progress window to close, as any program may; the window must stay.
bool CloseRequestRefused(const TVTSettingsForm& progress) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --send-close";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    // The sender waits for this thread to handle its message: keep pumping meanwhile.
    while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        win::Application::Instance().ProcessMessages();
    }
    DWORD sent = 0;
    ::GetExitCodeProcess(process.hProcess, &sent);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    win::Application::Instance().ProcessMessages();  // the posted request too
    std::printf("close requests from another process: %lu, window %s\n", sent,
                progress.Visible() ? "stayed" : "closed");
    return sent == 2 && progress.Visible();
}

int SendClose() {
    HWND window = ::FindWindowW(L"TVTSettingsForm", nullptr);
    if (window == nullptr) {
        return 0;
    }
    DWORD_PTR result = 0;
    const int sent =
        ::SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &result) ? 1 : 0;
    return sent + (::PostMessageW(window, WM_CLOSE, 0, 0) ? 1 : 0);
}

void Hold(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        win::Application::Instance().ProcessMessages();
        ::Sleep(10);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool restore = false;
    bool check = false;
    int holdAfter = -1;
    int holdMs = 5000;
    int expectDpi = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--restore") {
            restore = true;
        } else if (arg == L"--send-close") {
            return SendClose();
        } else if (arg == L"--check") {
            check = true;
        } else if (arg == L"--hold-after" && i + 1 < argc) {
            holdAfter = std::wcstol(argv[++i], nullptr, 10);
        } else if (arg == L"--expect-dpi" && i + 1 < argc) {
            expectDpi = std::wcstol(argv[++i], nullptr, 10);
        } else if (arg == L"--hold-ms" && i + 1 < argc) {
            holdMs = std::wcstol(argv[++i], nullptr, 10);
        }
    }

    win::InstallNativeHandCursor();
    win::InstallNativeHintWindow();
    WinRegistryBackend backend;
    CustomRegistry registry(backend);
    WinLanguageResources tables;
    Captions captions(registry, tables, DecodeAnsiCodePage);
    win::WinPacing pacing;

    win::Form main(kStandIn);
    main.Create();
    win::Application::Instance().SetMainForm(main);
    main.Show();
    TVTSettingsForm progress(captions, pacing);
    progress.Create(main.Handle());

    main.SetEnabled(false);
    progress.ShowOverMainWindow();
    progress.SetHeading(
        captions.GetCaption(L"VTSettingsForm", restore ? L"MessageRestore" : L"MessageUpdate"));
    progress.BeginSteps(restore ? 27 : 31);
    int step = 0;
    bool ok = true;
    const StepRun* first = restore ? std::begin(kRestoreSteps) : std::begin(kOptimizeSteps);
    const StepRun* last = restore ? std::end(kRestoreSteps) : std::end(kOptimizeSteps);
    for (const StepRun* run = first; run != last; ++run) {
        const std::wstring text =
            captions.GetCaption(L"VTSettingsForm", L"MessageChange" + std::to_wstring(run->key));
        for (int n = 0; n < run->times; ++n) {
            progress.Step(text);
            if (++step == holdAfter) {
                Hold(holdMs);
            }
            if (check && step == 5 && !CloseRequestRefused(progress)) {
                ok = false;
            }
        }
    }
    const int bar = progress.Find<win::ProgressBar>(L"MainProgress")->Position();
    if (check) {
        RECT client{};
        ::GetClientRect(progress.Handle(), &client);
        const UINT dpi = progress.Dpi();
        const bool sized =
            client.right == win::Scale(479, dpi) && client.bottom == win::Scale(146, dpi);
        const bool noMenu = (::GetWindowLongW(progress.Handle(), GWL_STYLE) & WS_SYSMENU) == 0;
        std::printf("dpi=%u client=%ldx%ld steps=%d bar=%d sysmenu=%d\n", dpi, client.right,
                    client.bottom, step, bar, noMenu ? 0 : 1);
        ok = ok && (expectDpi == 0 || static_cast<int>(dpi) == expectDpi) && sized && noMenu &&
             bar == 100 && step == (restore ? 27 : 31);
    }
    progress.Close();
    main.SetEnabled(true);
    main.Close();
    return ok ? 0 : 1;
}
