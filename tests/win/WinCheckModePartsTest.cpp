#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "update/win/WinCheckModeParts.h"
#include "win/ScratchFolder.h"

namespace vt {
namespace {

std::atomic<int> gClosesHandled{0};

// Takes its time over WM_CLOSE, so a caller that did not wait would return first.
LRESULT CALLBACK SlowToCloseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Sleep(300);
        ++gClosesHandled;
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window of the class on a thread of its own, with its own message loop.
class WindowOnThread {
public:
    explicit WindowOnThread(const wchar_t* className) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &SlowToCloseProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);
        thread_ = std::thread([this, className] {
            window_ = CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            created_ = true;
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                DispatchMessageW(&message);
            }
        });
        test::WaitFor([this] { return created_.load(); }, 5000);
    }
    ~WindowOnThread() {
        if (IsWindow(window_)) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        thread_.join();
    }
    HWND Window() const { return window_; }

private:
    std::atomic<bool> created_{false};
    HWND window_ = nullptr;
    std::thread thread_;
};

TEST(CloseWindowByClass, ClosesTheWindowOfThatClassAndWaitsForIt) {
    WindowOnThread target(L"VtCloseTarget");
    WindowOnThread other(L"VtCloseBystander");
    ASSERT_TRUE(IsWindow(target.Window()));
    gClosesHandled = 0;
    CloseWindowByClass(L"VtCloseNoSuchClass");
    EXPECT_EQ(gClosesHandled, 0);
    CloseWindowByClass(L"VtCloseTarget");
    EXPECT_EQ(gClosesHandled, 1) << "returned before the window had handled WM_CLOSE";
    EXPECT_FALSE(IsWindow(target.Window()));
    EXPECT_TRUE(IsWindow(other.Window()));
}

TEST(WinMessageDialog, AsksWithoutOwnerAndGivesTheAnswer) {
    std::atomic<HWND> owner{reinterpret_cast<HWND>(1)};
    std::thread answer([&] {
        HWND box = nullptr;
        test::WaitFor([&] { return (box = FindWindowW(L"#32770", L"VtDialogTest")) != nullptr; },
                      10000);
        if (box != nullptr) {
            owner = GetWindow(box, GW_OWNER);
            SendMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
        }
    });
    WinMessageDialog dialog;
    const int result = dialog.ShowMessage(L"Line one\r\n\r\nLine two", L"VtDialogTest",
                                          kMbYesNo | kMbIconInformation);
    answer.join();
    EXPECT_EQ(result, kIdYes);
    EXPECT_EQ(owner.load(), nullptr);
}

}  // namespace
}  // namespace vt
