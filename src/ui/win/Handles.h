#pragma once

#include <windows.h>

#include <commctrl.h>
#include <unknwn.h>

#include <utility>

namespace vt::win {

// A move-only owner of one handle: the deleter runs once, when the owner lets it go.
template <typename T, auto Close, auto Invalid = T{}>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Invalid; }
    T release() noexcept { return std::exchange(handle_, Invalid); }
    void reset(T handle = Invalid) noexcept {
        T old = std::exchange(handle_, handle);
        if (old != Invalid) {
            Close(old);
        }
    }

private:
    T handle_ = Invalid;
};

namespace detail {
inline void DestroyWindowHandle(HWND h) noexcept {
    ::DestroyWindow(h);
}
inline void DeleteGdiObject(HGDIOBJ h) noexcept {
    ::DeleteObject(h);
}
inline void DestroyMenuHandle(HMENU h) noexcept {
    ::DestroyMenu(h);
}
inline void DestroyImageList(HIMAGELIST h) noexcept {
    ::ImageList_Destroy(h);
}
inline void DeleteMemoryDc(HDC h) noexcept {
    ::DeleteDC(h);
}
inline void CloseKernelHandle(HANDLE h) noexcept {
    ::CloseHandle(h);
}
inline void FreeLibraryHandle(HMODULE h) noexcept {
    ::FreeLibrary(h);
}
}  // namespace detail

using UniqueHwnd = UniqueHandle<HWND, detail::DestroyWindowHandle>;
using UniqueFont = UniqueHandle<HFONT, detail::DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, detail::DeleteGdiObject>;
using UniqueMenu = UniqueHandle<HMENU, detail::DestroyMenuHandle>;
using UniqueImageList = UniqueHandle<HIMAGELIST, detail::DestroyImageList>;
using UniqueMemoryDc = UniqueHandle<HDC, detail::DeleteMemoryDc>;
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;
using UniqueModule = UniqueHandle<HMODULE, detail::FreeLibraryHandle>;

// A window's device context from GetDC, released with the window it came from.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for the life of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), old_(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (old_ != nullptr) {
            ::SelectObject(dc_, old_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace vt::win
