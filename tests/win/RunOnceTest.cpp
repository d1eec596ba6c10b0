#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win/RunOnce.h"

namespace vt {
namespace {

// A top-level window of a class no other test process uses.
class ScratchWindow {
public:
    ScratchWindow() : className_(L"VtRunOnceTest" + std::to_wstring(GetCurrentProcessId())) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className_.c_str();
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, className_.c_str(), L"run once", WS_OVERLAPPEDWINDOW, 100, 100,
                                  300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~ScratchWindow() {
        DestroyWindow(window_);
        UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    }
    HWND Handle() const { return window_; }
    const std::wstring& ClassName() const { return className_; }

private:
    std::wstring className_;
    HWND window_ = nullptr;
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
}

TEST(RunOnce, RestoresAMinimizedWindowAndBringsItToTheFront) {
    ScratchWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    ShowWindow(window.Handle(), SW_SHOWMINIMIZED);
    Pump();
    ASSERT_TRUE(IsIconic(window.Handle()));

    // Looking without activating changes nothing.
    EXPECT_TRUE(FindRunningInstance(window.ClassName(), false));
    Pump();
    EXPECT_TRUE(IsIconic(window.Handle()));

    EXPECT_TRUE(FindRunningInstance(window.ClassName(), true));
    Pump();
    EXPECT_FALSE(IsIconic(window.Handle()));
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(GetForegroundWindow(), window.Handle());
}

TEST(RunOnce, UnknownClassIsNotFound) {
    EXPECT_FALSE(FindRunningInstance(L"VtRunOnceNoSuchClass", true));
    EXPECT_FALSE(FindRunningInstance(L"", true));
}

}  // namespace
}  // namespace vt
