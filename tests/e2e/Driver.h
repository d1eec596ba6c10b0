#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Works the program from another process, as a user and an automation tool would: windows found by
// class, texts read as window texts, buttons clicked, message boxes answered, the registry of the
// prefix read and put back.
namespace vt::e2e {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

// Polls every 20 ms until the condition holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout);

// A process this driver started; ended by its id when the object goes, if still running.
class Process {
public:
    Process() = default;
    // Started with the given command-line tail; an empty object when it could not start.
    static Process Start(const std::wstring& exe, const std::wstring& arguments);
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    explicit operator bool() const { return handle_ != nullptr; }
    DWORD Id() const { return id_; }
    bool Running() const;
    // The exit code once it ended within the time, else nothing.
    std::optional<DWORD> WaitExit(Milliseconds timeout) const;
    void End();

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Waits until the process's thread waits for input with nothing left to handle (its windows
// painted); false when it did not within the time.
bool WaitIdle(DWORD processId, Milliseconds timeout);

// Ids of the running processes with this executable name (no folder), any letter case.
std::vector<DWORD> ProcessesNamed(const std::wstring& exeName);
void EndProcess(DWORD id);
// The full path of the process's executable; empty when it cannot be read.
std::wstring ProcessImage(DWORD id);

// Top-level windows of the class, of one process when `processId` is not 0.
std::vector<HWND> TopWindows(const std::wstring& className, DWORD processId = 0);
// Waits for the first visible one.
HWND WaitForVisibleWindow(const std::wstring& className, DWORD processId, Milliseconds timeout);
DWORD WindowProcess(HWND window);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
SIZE ClientSize(HWND window);
// Every descendant window, in Z order, depth first.
std::vector<HWND> Descendants(HWND parent);
// The first descendant with exactly this window text (and class, when given); nullptr if none.
HWND ChildWithText(HWND parent, const std::wstring& text, const wchar_t* className = nullptr);
// Every descendant window text, for messages that show what the window holds.
std::wstring DescribeTexts(HWND parent);

// The texts of the top-level items of a tree view of another process, in order.
std::vector<std::wstring> TreeItems(HWND tree);

// The items of a ComboBoxEx32 of another process, and its selected index.
std::vector<std::wstring> ComboItems(HWND comboEx);
int ComboSelection(HWND comboEx);

// Posted, so that a handler that runs a modal loop does not block the driver.
void Click(HWND button);
// A left button press and release posted to the window at a point of its client area (its
// middle when none is given): a click wherever the window lies on screen, covered or not.
void PostedClick(HWND window, std::optional<POINT> client = std::nullopt);
// A real left click at the middle of the window, through the system's input queue, as a user's
// mouse would give it (the window must be uncovered).
void MouseClick(HWND window);
// A left click where the pointer already is, with no move before it.
void MouseClickInPlace();
// Moves the pointer to the middle of the window (or to a screen point).
void MouseMoveTo(HWND window);
void MouseMoveTo(POINT screen);
// A key press delivered to the window that has the focus in `window`'s thread.
void PressKey(HWND window, UINT virtualKey);
// The window with the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);
HWND ForegroundWindow();
// Waits until the window is the foreground window, so that a click on it is taken as input rather
// than spent on activating it. Under Wine without a window manager, hiding a window returns only
// after about two seconds, and the owner becomes the foreground window after that.
bool WaitForForeground(HWND window, Milliseconds timeout);

enum class BoxIcon { None, Information, Warning, Error, Question };
std::wstring ToString(BoxIcon icon);

struct MessageBoxInfo {
    HWND box = nullptr;
    DWORD processId = 0;
    HWND owner = nullptr;
    std::wstring caption;
    std::wstring text;
    BoxIcon icon = BoxIcon::None;
    std::vector<int> buttons;  // IDOK, IDYES ... present
    int defaultButton = 0;     // the one with BS_DEFPUSHBUTTON
    int focusedButton = 0;     // the one with the keyboard focus
};

// The first visible system message box (of the process, when `processId` is not 0).
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Milliseconds timeout);
bool AnyMessageBox(DWORD processId);
void Answer(const MessageBoxInfo& box, int buttonId);

// Registry of the prefix. Paths without leading backslash.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RawValue&) const = default;
};
std::wstring Describe(const std::optional<RawValue>& value);
// Test output shows the type and the bytes.
inline void PrintTo(const RawValue& value, std::ostream* out) {
    const std::wstring text = Describe(value);
    *out << std::string(text.begin(), text.end());
}
RawValue Sz(const std::wstring& text);
RawValue Dword(DWORD value);
std::optional<RawValue> ReadValue(HKEY root, const std::wstring& path, const std::wstring& name);
bool WriteValue(HKEY root, const std::wstring& path, const std::wstring& name,
                const RawValue& value);
void DeleteValue(HKEY root, const std::wstring& path, const std::wstring& name);
bool KeyExists(HKEY root, const std::wstring& path);
void DeleteKeyTree(HKEY root, const std::wstring& path);

struct ValuePlace {
    HKEY root;
    std::wstring path;
    std::wstring name;
};

// Values as they were when taken, put back (or deleted when absent) by Restore and on destruction;
// whole keys are copied by their values and subkeys.
class RegistrySnapshot {
public:
    void AddValue(const ValuePlace& place);
    void AddKey(HKEY root, const std::wstring& path);
    void Restore();
    ~RegistrySnapshot();

private:
    struct KeyCopy;
    std::vector<std::pair<ValuePlace, std::optional<RawValue>>> values_;
    std::vector<std::pair<std::pair<HKEY, std::wstring>, std::shared_ptr<KeyCopy>>> keys_;
};

// "Z:\..." for a path of the host, as Wine maps the host's root.
std::wstring HostPathForWine(const std::string& hostPath);
std::string ReadHostFile(const std::string& hostPath);
void WriteHostFile(const std::string& hostPath, const std::string& content);

}  // namespace vt::e2e
