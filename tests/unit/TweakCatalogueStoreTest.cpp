// The whole store after an optimization on an empty machine, for every version code, written out
// from the catalogue as documented (root, key, value, type, bytes) rather than taken from the code.
#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "engine/TweakCatalogue.h"
#include "registry/MemoryRegistry.h"

namespace vt {
namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

struct StoredRow {
    int row;
    const wchar_t* root;  // "HKCU" or "HKLM"
    const wchar_t* key;
    const wchar_t* value;
    std::uint32_t type;
    Bytes data;
};

Bytes Text(std::wstring_view text) {  // UTF-16LE with its terminating NUL
    Bytes bytes;
    for (wchar_t ch : text) {
        bytes.push_back(static_cast<std::uint8_t>(ch));
        bytes.push_back(0);
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

const std::vector<StoredRow>& Catalogue() {
    static const std::vector<StoredRow> rows = {
        {1, L"HKCU", L"\\Control Panel\\Desktop\\WindowMetrics\\", L"MinAnimate", kRegSz,
         Text(L"1")},
        {2,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\",
         L"DisablePagingExecutive",
         kRegDword,
         {0, 0, 0, 0}},
        {3,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\",
         L"LargeSystemCache",
         kRegDword,
         {0, 0, 0, 0}},
        {4,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\PriorityControl\\",
         L"Win32PrioritySeparation",
         kRegDword,
         {1, 0, 0, 0}},
        {5,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\CrashControl\\",
         L"AutoReboot",
         kRegDword,
         {1, 0, 0, 0}},
        {6, L"HKCU", L"\\Control Panel\\Desktop\\", L"SmoothScroll", kRegBinary, {0, 0, 0, 0}},
        {7, L"HKCU", L"\\Software\\Microsoft\\Internet Explorer\\Main\\", L"Use StyleSheets",
         kRegSz, Text(L"Yes")},
        {8, L"HKCU", L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete\\",
         L"Append Completion", kRegSz, Text(L"Yes")},
        {9,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\FileSystem\\",
         L"ContigFileAllocSize",
         kRegDword,
         {0x00, 0x06, 0, 0}},
        {10,
         L"HKLM",
         L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\",
         L"LinkResolveIgnoreLinkInfo",
         kRegDword,
         {0, 0, 0, 0}},
        {11,
         L"HKLM",
         L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\",
         L"NoResolveSearch",
         kRegDword,
         {1, 0, 0, 0}},
        {12,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\",
         L"IoPageLockLimit",
         kRegDword,
         {0x00, 0x10, 0, 0}},
        {13,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\CrashControl\\",
         L"SendAlert",
         kRegDword,
         {1, 0, 0, 0}},
        {14,
         L"HKLM",
         L"\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\",
         L"NoPopUpsOnBoot",
         kRegDword,
         {1, 0, 0, 0}},
        {15,
         L"HKLM",
         L"\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\",
         L"Error Mode",
         kRegDword,
         {1, 0, 0, 0}},
        {16,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Services\\Messenger\\",
         L"Start",
         kRegDword,
         {4, 0, 0, 0}},
        {17,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\Session Manager\\",
         L"EnablePrefetcher",
         kRegDword,
         {1, 0, 0, 0}},
        {18,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Control\\Session Manager\\",
         L"AutoChkTimeOut",
         kRegDword,
         {0, 0, 0, 0}},
        {19, L"HKLM", L"\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\\", L"Enable", kRegSz,
         Text(L"Y")},
        {20,
         L"HKLM",
         L"\\System\\CurrentControlSet\\Services\\P3\\Parameters\\",
         L"HackFlags",
         kRegDword,
         {1, 0, 0, 0}},
    };
    return rows;
}

// The rows each version code writes.
std::vector<int> RowsFor(int code) {
    std::vector<int> rows;
    for (int row = 1; row <= 16; ++row) {
        rows.push_back(row);
    }
    switch (code) {
        case 0:
            rows.push_back(18);
            break;
        case 2:
        case 4:
        case 7:
            rows.insert(rows.end(), {17, 18});
            break;
        case 1:
        case 3:
        case 5:
        case 6:
        case 8:
            rows.insert(rows.end(), {17, 19, 20});
            break;
        default:  // -1
            rows.push_back(17);
            break;
    }
    return rows;
}

// The memory store lists values by folded (upper-case) path.
std::wstring Upper(std::wstring text) {
    for (auto& ch : text) {
        ch = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(ch)));
    }
    return text;
}

std::wstring StoreName(const wchar_t* root, const std::wstring& key, const std::wstring& value) {
    return Upper(std::wstring(root) + key + value);
}

const wchar_t* kProgramKey = L"\\Software\\QENTRA\\Velotune\\";

std::map<std::wstring, RegValue> ExpectedStore(int code) {
    std::map<std::wstring, RegValue> store;
    // The five backup values with their defaults: nothing was there to copy.
    store[StoreName(L"HKLM", kProgramKey, L"MinAnimate")] = {kRegSz, Text(L"1")};
    store[StoreName(L"HKLM", kProgramKey, L"DisablePagingExecutive")] = {kRegDword, {0, 0, 0, 0}};
    store[StoreName(L"HKLM", kProgramKey, L"LargeSystemCache")] = {kRegDword, {0, 0, 0, 0}};
    store[StoreName(L"HKLM", kProgramKey, L"Win32PrioritySeparation")] = {kRegDword, {2, 0, 0, 0}};
    store[StoreName(L"HKLM", kProgramKey, L"AutoReboot")] = {kRegDword, {1, 0, 0, 0}};
    for (int number : RowsFor(code)) {
        const StoredRow& row = Catalogue()[static_cast<std::size_t>(number - 1)];
        store[StoreName(row.root, row.key, row.value)] = {row.type, row.data};
        if (number >= 6) {  // each written row 6-20 recorded as absent before
            const std::wstring rootName =
                row.root == std::wstring(L"HKLM") ? L"HKEY_LOCAL_MACHINE" : L"HKEY_CURRENT_USER";
            store[StoreName(L"HKLM", L"\\Software\\QENTRA\\Velotune\\PriorState\\",
                            rootName + row.key + row.value)] = {kRegBinary, {0}};
        }
    }
    return store;
}

TEST(TweakCatalogueStore, WholeStoreAfterApplyForEveryVersionCode) {
    for (int code = -1; code <= 8; ++code) {
        SCOPED_TRACE("version code " + std::to_string(code));
        MemoryRegistry store;
        CustomRegistry registry(store);
        ApplyTweaks(registry, code, true);
        const std::map<std::wstring, RegValue> actual = store.Values();
        const std::map<std::wstring, RegValue> expected = ExpectedStore(code);
        for (const auto& [name, value] : expected) {
            const auto found = actual.find(name);
            if (found == actual.end()) {
                ADD_FAILURE() << "missing " << ::testing::PrintToString(name);
            } else {
                EXPECT_EQ(found->second, value) << ::testing::PrintToString(name);
            }
        }
        for (const auto& [name, value] : actual) {
            EXPECT_TRUE(expected.contains(name)) << "unexpected " << ::testing::PrintToString(name);
        }
    }
}

}  // namespace
}  // namespace vt
