#include "e2e/Driver.h"

#include <tlhelp32.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>
#include <utility>

namespace vt::e2e {

bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
}

// --- processes ---------------------------------------------------------------------------------

Process Process::Start(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Process process;
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process.handle_ = info.hProcess;
        process.id_ = info.dwProcessId;
    }
    return process;
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        End();
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process() {
    End();
}

bool Process::Running() const {
    return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(Milliseconds timeout) const {
    if (handle_ == nullptr ||
        WaitForSingleObject(handle_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::End() {
    if (handle_ == nullptr) {
        return;
    }
    if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    id_ = 0;
}

bool WaitIdle(DWORD processId, Milliseconds timeout) {
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    const DWORD result = WaitForInputIdle(process, static_cast<DWORD>(timeout.count()));
    CloseHandle(process);
    return result == 0;
}

std::vector<DWORD> ProcessesNamed(const std::wstring& exeName) {
    std::vector<DWORD> ids;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, exeName.c_str()) == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

void EndProcess(DWORD id) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process != nullptr) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

// --- windows -----------------------------------------------------------------------------------

std::wstring ProcessImage(DWORD id) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) {
        return L"";
    }
    std::wstring path(MAX_PATH * 4, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &length)) {
        length = 0;
    }
    CloseHandle(process);
    path.resize(length);
    return path;
}

DWORD WindowProcess(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return L"";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::vector<HWND> TopWindows(const std::wstring& className, DWORD processId) {
    struct Search {
        const std::wstring* className;
        DWORD processId;
        std::vector<HWND> found;
    } search{&className, processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (ClassOf(window) == *s->className &&
                (s->processId == 0 || WindowProcess(window) == s->processId)) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisibleWindow(const std::wstring& className, DWORD processId, Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows(className, processId)) {
                if (IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND ChildWithText(HWND parent, const std::wstring& text, const wchar_t* className) {
    for (HWND child : Descendants(parent)) {
        if (TextOf(child) == text && (className == nullptr || ClassOf(child) == className)) {
            return child;
        }
    }
    return nullptr;
}

std::wstring DescribeTexts(HWND parent) {
    std::wstring all;
    for (HWND child : Descendants(parent)) {
        all += L"[" + ClassOf(child) + L": " + TextOf(child) + L"] ";
    }
    return all;
}

namespace {

// Memory in another process for messages whose pointers the system does not carry across.
class RemoteMemory {
public:
    RemoteMemory(DWORD processId, std::size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId)) {
        if (process_ != nullptr) {
            address_ =
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteMemory() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    BYTE* Address() const { return static_cast<BYTE*>(address_); }
    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        return WriteProcessMemory(process_, Address() + offset, data, size, nullptr) != 0;
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        return ReadProcessMemory(process_, Address() + offset, data, size, nullptr) != 0;
    }

private:
    HANDLE process_;
    void* address_ = nullptr;
};

}  // namespace

std::vector<std::wstring> ComboItems(HWND comboEx) {
    std::vector<std::wstring> items;
    constexpr std::size_t kTextChars = 512;
    RemoteMemory remote(WindowProcess(comboEx), sizeof(COMBOBOXEXITEMW) + kTextChars * 2);
    if (!remote) {
        return items;
    }
    const LRESULT count = SendMessageW(comboEx, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = i;
        item.pszText = reinterpret_cast<LPWSTR>(remote.Address() + sizeof item);
        item.cchTextMax = kTextChars;
        const wchar_t empty = 0;
        remote.Write(sizeof item, &empty, sizeof empty);
        remote.Write(0, &item, sizeof item);
        SendMessageW(comboEx, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.Address()));
        std::wstring text(kTextChars, L'\0');
        remote.Read(sizeof item, text.data(), kTextChars * 2);
        text.resize(wcsnlen(text.c_str(), kTextChars));
        items.push_back(text);
    }
    return items;
}

std::vector<std::wstring> TreeItems(HWND tree) {
    std::vector<std::wstring> items;
    constexpr std::size_t kTextChars = 512;
    RemoteMemory remote(WindowProcess(tree), sizeof(TVITEMW) + kTextChars * 2);
    if (!remote) {
        return items;
    }
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; item != nullptr;
         item = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        TVITEMW query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = reinterpret_cast<LPWSTR>(remote.Address() + sizeof query);
        query.cchTextMax = kTextChars;
        const wchar_t empty = 0;
        remote.Write(sizeof query, &empty, sizeof empty);
        remote.Write(0, &query, sizeof query);
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.Address()));
        std::wstring text(kTextChars, L'\0');
        remote.Read(sizeof query, text.data(), kTextChars * 2);
        text.resize(wcsnlen(text.c_str(), kTextChars));
        items.push_back(text);
    }
    return items;
}

int ComboSelection(HWND comboEx) {
    return static_cast<int>(SendMessageW(comboEx, CB_GETCURSEL, 0, 0));
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PostedClick(HWND window, std::optional<POINT> client) {
    if (!client) {
        const SIZE size = ClientSize(window);
        client = POINT{size.cx / 2, size.cy / 2};
    }
    const LPARAM at = MAKELPARAM(client->x, client->y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

namespace {

POINT Middle(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void SendMouse(DWORD flags, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void MouseMoveTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    SendMouse(MOUSEEVENTF_MOVE, screen);
    std::this_thread::sleep_for(50ms);
}

void MouseMoveTo(HWND window) {
    MouseMoveTo(Middle(window));
}

void MouseClick(HWND window) {
    const POINT at = Middle(window);
    MouseMoveTo(at);
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
    std::this_thread::sleep_for(30ms);
    SendMouse(MOUSEEVENTF_LEFTUP, at);
}

void MouseClickInPlace() {
    POINT at{};
    GetCursorPos(&at);
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
    std::this_thread::sleep_for(30ms);
    SendMouse(MOUSEEVENTF_LEFTUP, at);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

HWND ForegroundWindow() {
    return GetForegroundWindow();
}

bool WaitForForeground(HWND window, Milliseconds timeout) {
    return WaitUntil([window] { return GetForegroundWindow() == window; }, timeout);
}

void PressKey(HWND window, UINT virtualKey) {
    HWND target = FocusOf(window);
    if (target == nullptr) {
        target = window;
    }
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

// --- message boxes -----------------------------------------------------------------------------

std::wstring ToString(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return L"information";
        case BoxIcon::Warning:
            return L"warning";
        case BoxIcon::Error:
            return L"error";
        case BoxIcon::Question:
            return L"question";
        case BoxIcon::None:
            break;
    }
    return L"none";
}

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

// Another process's icon handle means nothing here, so the icon is told by its pixels: the
// static's screen area against each standard icon drawn on the box's background.
BoxIcon IconOf(HWND box) {
    HWND iconStatic = nullptr;
    for (HWND child : Descendants(box)) {
        if (ClassOf(child) == L"Static" &&
            (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            iconStatic = child;
        }
    }
    if (iconStatic == nullptr || !IsWindowVisible(iconStatic)) {
        return BoxIcon::None;
    }
    RECT rect{};
    GetWindowRect(iconStatic, &rect);
    const int size = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    HDC shown = CreateCompatibleDC(screen);
    HDC drawn = CreateCompatibleDC(screen);
    HBITMAP shownBitmap = CreateCompatibleBitmap(screen, size, size);
    HBITMAP drawnBitmap = CreateCompatibleBitmap(screen, size, size);
    const HGDIOBJ oldShown = SelectObject(shown, shownBitmap);
    const HGDIOBJ oldDrawn = SelectObject(drawn, drawnBitmap);
    BitBlt(shown, 0, 0, size, size, screen, rect.left, rect.top, SRCCOPY);
    POINT corner{};
    ClientToScreen(box, &corner);
    const COLORREF background = GetPixel(screen, corner.x + 2, corner.y + 2);
    ReleaseDC(nullptr, screen);

    struct Candidate {
        BoxIcon icon;
        LPCWSTR id;
    };
    const Candidate candidates[] = {{BoxIcon::Information, IDI_INFORMATION},
                                    {BoxIcon::Warning, IDI_WARNING},
                                    {BoxIcon::Error, IDI_ERROR},
                                    {BoxIcon::Question, IDI_QUESTION}};
    BoxIcon best = BoxIcon::None;
    int bestDifferences = size * size;
    for (const Candidate& c : candidates) {
        HBRUSH brush = CreateSolidBrush(background);
        RECT all{0, 0, size, size};
        FillRect(drawn, &all, brush);
        DeleteObject(brush);
        DrawIconEx(drawn, 0, 0, LoadIconW(nullptr, c.id), size, size, 0, nullptr, DI_NORMAL);
        int differences = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                differences += GetPixel(drawn, x, y) != GetPixel(shown, x, y) ? 1 : 0;
            }
        }
        if (differences < bestDifferences) {
            bestDifferences = differences;
            best = c.icon;
        }
    }
    SelectObject(shown, oldShown);
    SelectObject(drawn, oldDrawn);
    DeleteObject(shownBitmap);
    DeleteObject(drawnBitmap);
    DeleteDC(shown);
    DeleteDC(drawn);
    // A match is exact but for a few pixels of edge smoothing; other icons differ in hundreds.
    return bestDifferences <= size * size / 20 ? best : BoxIcon::None;
}

MessageBoxInfo Inspect(HWND box) {
    MessageBoxInfo info;
    info.box = box;
    info.processId = WindowProcess(box);
    info.owner = GetWindow(box, GW_OWNER);
    info.caption = TextOf(box);
    if (HWND text = GetDlgItem(box, kMessageBoxTextId)) {
        info.text = TextOf(text);
    }
    info.icon = IconOf(box);
    const HWND focus = FocusOf(box);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button == nullptr || !IsWindowVisible(button)) {
            continue;
        }
        info.buttons.push_back(id);
        if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            info.defaultButton = id;
        }
        if (button == focus) {
            info.focusedButton = id;
        }
    }
    return info;
}

HWND FirstBox(DWORD processId) {
    for (HWND window : TopWindows(L"#32770", processId)) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

bool AnyMessageBox(DWORD processId) {
    return FirstBox(processId) != nullptr;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Milliseconds timeout) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FirstBox(processId)) != nullptr; }, timeout)) {
        return std::nullopt;
    }
    // Let it finish painting and take the focus before its pixels and state are read.
    WaitUntil([&] { return FocusOf(box) != nullptr && GetDlgItem(box, kMessageBoxTextId); },
              2000ms);
    std::this_thread::sleep_for(300ms);
    return Inspect(box);
}

void Answer(const MessageBoxInfo& box, int buttonId) {
    if (HWND button = GetDlgItem(box.box, buttonId)) {
        Click(button);
    }
}

// --- registry ----------------------------------------------------------------------------------

RawValue Sz(const std::wstring& text) {
    RawValue value{REG_SZ, {}};
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    value.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    return value;
}

RawValue Dword(DWORD number) {
    RawValue value{REG_DWORD, std::vector<BYTE>(4)};
    std::memcpy(value.data.data(), &number, 4);
    return value;
}

std::optional<RawValue> ReadValue(HKEY root, const std::wstring& path, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RawValue value;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status =
            RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::optional<RawValue>(value) : std::nullopt;
}

bool WriteValue(HKEY root, const std::wstring& path, const std::wstring& name,
                const RawValue& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status = RegSetValueExW(key, name.c_str(), 0, value.type, value.data.data(),
                                          static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void DeleteValue(HKEY root, const std::wstring& path, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, name.c_str());
        RegCloseKey(key);
    }
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void DeleteKeyTree(HKEY root, const std::wstring& path) {
    RegDeleteTreeW(root, path.c_str());
    RegDeleteKeyW(root, path.c_str());
}

std::wstring Describe(const std::optional<RawValue>& value) {
    if (!value) {
        return L"(absent)";
    }
    std::wostringstream out;
    out << L"type " << value->type << L":";
    for (BYTE b : value->data) {
        out << L" " << std::hex << static_cast<int>(b);
    }
    return out.str();
}

struct RegistrySnapshot::KeyCopy {
    bool existed = false;
    std::map<std::wstring, RawValue> values;
    std::map<std::wstring, std::shared_ptr<KeyCopy>> subkeys;

    static std::shared_ptr<KeyCopy> Take(HKEY root, const std::wstring& path) {
        auto copy = std::make_shared<KeyCopy>();
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return copy;
        }
        copy->existed = true;
        for (DWORD i = 0;; ++i) {
            wchar_t name[16384];
            DWORD nameLength = 16384;
            DWORD type = 0;
            DWORD size = 0;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS) {
                break;
            }
            if (auto value = ReadValue(root, path, name)) {
                copy->values[name] = *value;
            }
        }
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256;
            if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            copy->subkeys[name] = Take(root, path + L"\\" + name);
        }
        RegCloseKey(key);
        return copy;
    }

    void PutBack(HKEY root, const std::wstring& path) const {
        DeleteKeyTree(root, path);
        if (!existed) {
            return;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegCloseKey(key);
        }
        for (const auto& [name, value] : values) {
            WriteValue(root, path, name, value);
        }
        for (const auto& [name, subkey] : subkeys) {
            subkey->PutBack(root, path + L"\\" + name);
        }
    }
};

void RegistrySnapshot::AddValue(const ValuePlace& place) {
    values_.emplace_back(place, ReadValue(place.root, place.path, place.name));
}

void RegistrySnapshot::AddKey(HKEY root, const std::wstring& path) {
    keys_.push_back({{root, path}, KeyCopy::Take(root, path)});
}

void RegistrySnapshot::Restore() {
    for (const auto& [where, copy] : keys_) {
        copy->PutBack(where.first, where.second);
    }
    for (const auto& [place, value] : values_) {
        if (value) {
            WriteValue(place.root, place.path, place.name, *value);
        } else {
            DeleteValue(place.root, place.path, place.name);
        }
    }
}

RegistrySnapshot::~RegistrySnapshot() {
    Restore();
}

// --- host files --------------------------------------------------------------------------------

std::wstring HostPathForWine(const std::string& hostPath) {
    std::wstring path = L"Z:";
    for (char ch : hostPath) {
        path += ch == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(ch));
    }
    return path;
}

std::string ReadHostFile(const std::string& hostPath) {
    std::ifstream in(std::filesystem::path(HostPathForWine(hostPath)), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteHostFile(const std::string& hostPath, const std::string& content) {
    std::ofstream out(std::filesystem::path(HostPathForWine(hostPath)),
                      std::ios::binary | std::ios::trunc);
    out << content;
}

}  // namespace vt::e2e
