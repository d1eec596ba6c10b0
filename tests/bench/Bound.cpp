// The least any program must do to show what Velotune shows at start: the three windows of its
// layout tables with every native control they hold (same classes, boxes and styles, common
// controls 6 through the same manifest), the About and progress windows hidden, then the main
// window shown. No fonts, texts, pictures, registry or logic. scripts/bench times it beside the
// floor: the part of the start-up that no work on the program itself can remove.
#include <windows.h>

#include <commctrl.h>

#include "ui/win/Layout.h"
#include "ui/win/forms/VarnixAboutForm.h"
#include "ui/win/forms/VarnixFormLayout.h"
#include "ui/win/forms/VarnixSettingsForm.h"

namespace {

using vt::win::FormDef;
using vt::win::Kind;
using vt::win::LayoutRow;

constexpr wchar_t kMainClass[] = L"VtBenchBound";  // the one the waiter looks for
constexpr wchar_t kPanelClass[] = L"VtBenchBoundPanel";

LRESULT CALLBACK BoundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && ::GetParent(window) == nullptr &&
        ::GetWindow(window, GW_OWNER) == nullptr) {
        ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The native class and style of a row, or nullptr for what its container paints.
const wchar_t* NativeClass(Kind kind, DWORD& style) {
    switch (kind) {
        case Kind::Panel:
            style |= WS_CLIPCHILDREN;
            return kPanelClass;
        case Kind::Label:
            style |= SS_OWNERDRAW | SS_NOTIFY;
            return L"STATIC";
        case Kind::PushButton:
            return L"BUTTON";
        case Kind::ImageCombo:
            style |= CBS_DROPDOWNLIST | WS_VSCROLL;
            return WC_COMBOBOXEXW;
        case Kind::TrackBar:
            style |= TBS_BOTH | TBS_AUTOTICKS;
            return TRACKBAR_CLASSW;
        case Kind::ProgressBar:
            style |= PBS_SMOOTH;
            return PROGRESS_CLASSW;
        case Kind::Memo:
            style |= ES_MULTILINE | ES_READONLY | WS_VSCROLL;
            return L"EDIT";
        default:
            return nullptr;
    }
}

HWND ParentOf(const FormDef& def, const LayoutRow& row, HWND form, const HWND* made) {
    if (row.parent == nullptr) {
        return form;
    }
    for (std::size_t i = 0; i < def.rows.size(); ++i) {
        if (made[i] != nullptr && std::wstring_view(def.rows[i].name) == row.parent) {
            return made[i];
        }
    }
    return form;
}

HWND MakeWindow(const FormDef& def, const wchar_t* className, HWND owner) {
    RECT outer{0, 0, def.clientWidth, def.clientHeight};
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&outer, style, FALSE, WS_EX_CONTROLPARENT);
    HWND form = ::CreateWindowExW(WS_EX_CONTROLPARENT, className, L"", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                                  owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HWND made[64] = {};
    for (std::size_t i = 0; i < def.rows.size() && i < 64; ++i) {
        const LayoutRow& row = def.rows[i];
        DWORD childStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        const wchar_t* native = NativeClass(row.kind, childStyle);
        if (native == nullptr) {
            continue;
        }
        // A label sized to its text is about a line of 8-point text; a drop-down list's window
        // holds the room of its list.
        const bool sizedToText = row.kind == Kind::Label && row.rect.w == 0;
        const int width = sizedToText ? 120 : row.rect.w;
        const int height = sizedToText ? 13 : row.rect.h + (row.kind == Kind::ImageCombo ? 200 : 0);
        const DWORD exStyle = row.kind == Kind::Panel ? WS_EX_CONTROLPARENT : 0;
        made[i] = ::CreateWindowExW(exStyle, native, L"", childStyle, row.rect.x, row.rect.y, width,
                                    height, ParentOf(def, row, form, made),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    }
    return form;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                       ICC_USEREX_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = BoundProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kPanelClass;
    ::RegisterClassW(&wc);
    wc.lpszClassName = kMainClass;
    ::RegisterClassW(&wc);

    HWND main = MakeWindow(vt::win::MainFormDefinition(), kMainClass, nullptr);
    MakeWindow(vt::win::AboutFormDefinition(), kPanelClass, main);
    MakeWindow(vt::win::SettingsFormDefinition(), kPanelClass, main);
    ::ShowWindow(main, SW_SHOW);
    ::UpdateWindow(main);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
