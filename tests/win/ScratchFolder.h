#pragma once

#include <windows.h>

#include <string>

namespace vt::test {

// A fresh folder under the temporary folder, removed with everything in it at the end (paths
// longer than MAX_PATH included).
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        static int counter = 0;
        path_ = std::wstring(temp) + L"vt-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter) + L"\\";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { Remove(L"\\\\?\\" + path_.substr(0, path_.size() - 1)); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // With a trailing separator.
    const std::wstring& Path() const { return path_; }

private:
    static void Remove(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") {
                    continue;
                }
                const std::wstring child = folder + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(child);
                } else {
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
};

// The whole content of a UTF-16 text file; nothing when it cannot be read.
inline bool ReadWideFile(const std::wstring& file, std::wstring& text) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD size = GetFileSize(handle, nullptr);
    text.assign(size / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    const BOOL ok = ReadFile(handle, text.data(), size, &read, nullptr);
    CloseHandle(handle);
    return ok && read == size;
}

inline bool FileExists(const std::wstring& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits up to `timeoutMs` for `condition`, polling every 20 ms.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

}  // namespace vt::test
