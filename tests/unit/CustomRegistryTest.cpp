#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

#include "registry/CustomRegistry.h"
#include "registry/MemoryRegistry.h"
#include "registry/Utf16.h"
#include "support/RecordingBackend.h"
#include "support/RegistryHarness.h"

// One table of cases, run against every back-end: the in-memory store must behave exactly like
// the Windows registry does under the same calls.

namespace vt {
namespace {

using test::HarnessKind;
using test::RegistryHarness;

enum class Op {
    ReadString,
    ReadInteger,
    ReadBool,
    WriteString,
    WriteInteger,
    WriteBool,
    WriteBinary,
    Delete
};

struct Seed {
    std::wstring key;  // below the harness base
    std::wstring name;
    RegValue value;
};

struct Case {
    const char* title;
    std::vector<Seed> seeds = {};
    Op op;
    std::wstring key;  // below the base; "\" is prefixed unless noLeadingBackslash
    std::wstring name = L"v";
    std::wstring text = L"";  // default or value
    std::int32_t number = 0;  // default or value
    bool flag = false;        // default or value
    Bytes bytes = {};         // value of WriteBinary
    bool refuse = false;      // writes refused before the operation
    bool noLeadingBackslash = false;
    // Read result expected.
    std::wstring expectText = L"";
    std::int32_t expectNumber = 0;
    bool expectFlag = false;
    // Stored afterwards under (checkKey or key, name): nullopt means absent.
    std::optional<RegValue> expectStored = std::nullopt;
    std::wstring checkKey = L"";
    // A key that must not exist afterwards.
    std::wstring expectMissingKey = L"";
};

}  // namespace

void PrintTo(const RegValue& value, std::ostream* os) {
    *os << "type " << value.type << ", " << value.data.size() << " bytes:";
    for (std::size_t i = 0; i < value.data.size() && i < 16; ++i) {
        *os << ' ' << std::hex << int(value.data[i]) << std::dec;
    }
}

namespace {

RegValue Sz(std::wstring_view text) {
    return {RegType::Sz, ToRegSzBytes(text)};
}
RegValue ExpandSz(std::wstring_view text) {
    return {RegType::ExpandSz, ToRegSzBytes(text)};
}
RegValue Dword(std::uint32_t v) {
    return {RegType::Dword,
            {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}};
}
RegValue Raw(std::uint32_t type, Bytes data) {
    return {type, std::move(data)};
}

const std::wstring kDefault = L"fallback";

std::vector<Case> Cases() {
    const std::wstring big(512 * 1024 - 1, L'x');  // 1 MiB with its NUL
    return {
        // Reads: missing things give the default.
        {.title = "string from a missing key",
         .op = Op::ReadString,
         .key = L"none\\",
         .text = kDefault,
         .expectText = kDefault,
         .expectMissingKey = L"none\\"},
        {.title = "string of a missing value",
         .seeds = {{L"k\\", L"other", Sz(L"x")}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = kDefault},
        {.title = "string",
         .seeds = {{L"k\\", L"v", Sz(L"Hello \u00e9\uac00")}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = L"Hello \u00e9\uac00"},
        {.title = "empty string gives the default",
         .seeds = {{L"k\\", L"v", Sz(L"")}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = kDefault},
        {.title = "zero-byte string gives the default",
         .seeds = {{L"k\\", L"v", Raw(RegType::Sz, {})}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = kDefault},
        {.title = "expand string stays unexpanded",
         .seeds = {{L"k\\", L"v", ExpandSz(L"%WINDIR%\\x")}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = L"%WINDIR%\\x"},
        {.title = "dword read as string gives the default",
         .seeds = {{L"k\\", L"v", Dword(5)}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = kDefault},
        {.title = "binary read as string gives the default",
         .seeds = {{L"k\\", L"v", Raw(RegType::Binary, {'a', 0, 0, 0})}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = kDefault},
        {.title = "string without its NUL",
         .seeds = {{L"k\\", L"v", Raw(RegType::Sz, {'a', 0, 'b', 0})}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = L"ab"},
        {.title = "odd byte count: 3 bytes are one character",
         .seeds = {{L"k\\", L"v", Raw(RegType::Sz, {'a', 0, 'b'})}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = L"a"},
        {.title = "one byte is no character",
         .seeds = {{L"k\\", L"v", Raw(RegType::Sz, {'a'})}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = kDefault},
        {.title = "string ends at its first NUL",
         .seeds = {{L"k\\", L"v", Raw(RegType::Sz, {'a', 0, 0, 0, 'b', 0, 0, 0})}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = L"a"},
        {.title = "1 MiB string",
         .seeds = {{L"k\\", L"v", Sz(big)}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .expectText = big},
        {.title = "integer",
         .seeds = {{L"k\\", L"v", Dword(1536)}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .number = 7,
         .expectNumber = 1536},
        {.title = "dword 0xFFFFFFFF is -1",
         .seeds = {{L"k\\", L"v", Dword(0xFFFFFFFF)}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .number = 7,
         .expectNumber = -1},
        {.title = "integer from a missing key",
         .op = Op::ReadInteger,
         .key = L"none\\",
         .number = -1,
         .expectNumber = -1},
        {.title = "string \"5\" read as integer gives the default",
         .seeds = {{L"k\\", L"v", Sz(L"5")}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .number = 7,
         .expectNumber = 7},
        {.title = "2-byte dword gives the default",
         .seeds = {{L"k\\", L"v", Raw(RegType::Dword, {1, 0})}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .number = 7,
         .expectNumber = 7},
        {.title = "8-byte dword gives the default",
         .seeds = {{L"k\\", L"v", Raw(RegType::Dword, {1, 0, 0, 0, 0, 0, 0, 0})}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .number = 7,
         .expectNumber = 7},
        {.title = "4-byte binary read as integer gives the default",
         .seeds = {{L"k\\", L"v", Raw(RegType::Binary, {1, 0, 0, 0})}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .number = 7,
         .expectNumber = 7},
        {.title = "1 MiB binary read as integer gives the default",
         .seeds = {{L"k\\", L"v", Raw(RegType::Binary, Bytes(1 << 20, 0x5A))}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .number = 7,
         .expectNumber = 7},
        {.title = "bool of 2 is true",
         .seeds = {{L"k\\", L"v", Dword(2)}},
         .op = Op::ReadBool,
         .key = L"k\\",
         .flag = false,
         .expectFlag = true},
        {.title = "bool of 0 is false",
         .seeds = {{L"k\\", L"v", Dword(0)}},
         .op = Op::ReadBool,
         .key = L"k\\",
         .flag = true,
         .expectFlag = false},
        {.title = "string \"1\" read as bool gives the default",
         .seeds = {{L"k\\", L"v", Sz(L"1")}},
         .op = Op::ReadBool,
         .key = L"k\\",
         .flag = false,
         .expectFlag = false},
        {.title = "missing bool gives the default",
         .op = Op::ReadBool,
         .key = L"k\\",
         .flag = true,
         .expectFlag = true},
        {.title = "names ignore letter case",
         .seeds = {{L"Key\\", L"Value", Dword(3)}},
         .op = Op::ReadInteger,
         .key = L"KEY\\",
         .name = L"vALUE",
         .expectNumber = 3},
        // Paths.
        {.title = "trailing backslash adds no key level",
         .seeds = {{L"k", L"v", Dword(9)}},
         .op = Op::ReadInteger,
         .key = L"k\\",
         .expectNumber = 9},
        {.title = "leading backslash is optional",
         .seeds = {{L"k\\", L"v", Dword(9)}},
         .op = Op::ReadInteger,
         .key = L"k",
         .noLeadingBackslash = true,
         .expectNumber = 9},
        // Writes.
        {.title = "string with its NUL",
         .op = Op::WriteString,
         .key = L"k\\",
         .text = L"Yes",
         .expectStored = Sz(L"Yes")},
        {.title = "write creates every key of the path",
         .op = Op::WriteInteger,
         .key = L"a\\b\\c\\",
         .number = 4,
         .expectStored = Dword(4)},
        {.title = "integer -1",
         .op = Op::WriteInteger,
         .key = L"k\\",
         .number = -1,
         .expectStored = Dword(0xFFFFFFFF)},
        {.title = "bool false is stored, not deleted",
         .seeds = {{L"k\\", L"v", Dword(1)}},
         .op = Op::WriteBool,
         .key = L"k\\",
         .flag = false,
         .expectStored = Dword(0)},
        {.title = "bool true is 1",
         .op = Op::WriteBool,
         .key = L"k\\",
         .flag = true,
         .expectStored = Dword(1)},
        {.title = "binary of exactly the bytes",
         .op = Op::WriteBinary,
         .key = L"k\\",
         .bytes = {0, 0, 0, 0},
         .expectStored = Raw(RegType::Binary, {0, 0, 0, 0})},
        {.title = "dword replaces a string",
         .seeds = {{L"k\\", L"v", Sz(L"old")}},
         .op = Op::WriteInteger,
         .key = L"k\\",
         .number = 2,
         .expectStored = Dword(2)},
        {.title = "string replaces a dword",
         .seeds = {{L"k\\", L"v", Dword(2)}},
         .op = Op::WriteString,
         .key = L"k\\",
         .text = L"new",
         .expectStored = Sz(L"new")},
        {.title = "write through a trailing-backslash path lands in the same key",
         .op = Op::WriteInteger,
         .key = L"k\\",
         .number = 5,
         .expectStored = Dword(5),
         .checkKey = L"k"},
        // Deletes.
        {.title = "delete removes the value",
         .seeds = {{L"k\\", L"v", Dword(1)}, {L"k\\", L"keep", Dword(2)}},
         .op = Op::Delete,
         .key = L"k\\",
         .expectStored = std::nullopt},
        {.title = "delete of a missing value",
         .seeds = {{L"k\\", L"keep", Dword(2)}},
         .op = Op::Delete,
         .key = L"k\\",
         .expectStored = std::nullopt},
        {.title = "delete creates nothing",
         .op = Op::Delete,
         .key = L"x\\y\\",
         .expectMissingKey = L"x\\"},
        // Refused writes and deletes change nothing; reads still work.
        {.title = "refused write",
         .seeds = {{L"k\\", L"v", Dword(1)}},
         .op = Op::WriteInteger,
         .key = L"k\\",
         .number = 2,
         .refuse = true,
         .expectStored = Dword(1)},
        {.title = "refused write creates no key",
         .seeds = {{L"k\\", L"v", Dword(1)}},
         .op = Op::WriteString,
         .key = L"new\\",
         .text = L"x",
         .refuse = true,
         .expectMissingKey = L"new\\"},
        {.title = "refused delete",
         .seeds = {{L"k\\", L"v", Sz(L"stay")}},
         .op = Op::Delete,
         .key = L"k\\",
         .refuse = true,
         .expectStored = Sz(L"stay")},
        {.title = "read while writes are refused",
         .seeds = {{L"k\\", L"v", Sz(L"seen")}},
         .op = Op::ReadString,
         .key = L"k\\",
         .text = kDefault,
         .refuse = true,
         .expectText = L"seen",
         .expectStored = Sz(L"seen")},
    };
}

class CustomRegistryCases : public ::testing::TestWithParam<HarnessKind> {};

TEST_P(CustomRegistryCases, EveryCase) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.title);
        auto harness = GetParam().make();
        CustomRegistry reg(harness->Backend());
        const std::wstring base = harness->Base();
        const auto root = RegRoot::CurrentUser;
        for (const Seed& seed : c.seeds) {
            reg.WriteRegRaw(root, base + seed.key, seed.name, seed.value, false);
            ASSERT_EQ(reg.ReadRegRaw(root, base + seed.key, seed.name, false), seed.value);
        }
        if (c.refuse) {
            harness->RefuseWrites();
        }
        std::wstring path = base + c.key;
        if (c.noLeadingBackslash) {
            path.erase(0, 1);
        }
        switch (c.op) {
            case Op::ReadString:
                EXPECT_EQ(reg.ReadRegString(root, path, c.name, c.text, false), c.expectText);
                break;
            case Op::ReadInteger:
                EXPECT_EQ(reg.ReadRegInteger(root, path, c.name, c.number, false), c.expectNumber);
                break;
            case Op::ReadBool:
                EXPECT_EQ(reg.ReadRegBool(root, path, c.name, c.flag, false), c.expectFlag);
                break;
            case Op::WriteString:
                reg.WriteRegString(root, path, c.name, c.text, false);
                break;
            case Op::WriteInteger:
                reg.WriteRegInteger(root, path, c.name, c.number, false);
                break;
            case Op::WriteBool:
                reg.WriteRegBool(root, path, c.name, c.flag, false);
                break;
            case Op::WriteBinary:
                reg.WriteRegBinary(root, path, c.name, c.bytes, false);
                break;
            case Op::Delete:
                reg.DeleteRegValue(root, path, c.name, false);
                break;
        }
        const bool checksStore =
            c.op != Op::ReadString && c.op != Op::ReadInteger && c.op != Op::ReadBool;
        if (checksStore || c.expectStored) {
            const std::wstring checkPath = base + (c.checkKey.empty() ? c.key : c.checkKey);
            EXPECT_EQ(reg.ReadRegRaw(root, checkPath, c.name, false), c.expectStored);
        }
        if (!c.expectMissingKey.empty()) {
            EXPECT_FALSE(test::KeyExists(harness->Backend(), root, base + c.expectMissingKey));
        }
        for (const Seed& seed : c.seeds) {
            if (seed.name != c.name || seed.key != c.key) {  // untouched neighbours stay
                EXPECT_EQ(reg.ReadRegRaw(root, base + seed.key, seed.name, false), seed.value);
            }
        }
    }
}

// The query primitive never writes past the size it reports, and fails without writing when the
// buffer is too small: sentinel bytes around the data prove it.
TEST_P(CustomRegistryCases, QueryWritesNothingPastTheData) {
    auto harness = GetParam().make();
    RegistryBackend& backend = harness->Backend();
    CustomRegistry reg(backend);
    const std::wstring path = harness->Base() + L"q\\";
    reg.WriteRegRaw(RegRoot::CurrentUser, path, L"v", Raw(RegType::Binary, {1, 2, 3}), false);

    RegKey key(backend);
    ASSERT_TRUE(backend.OpenKey(RegRoot::CurrentUser, path.substr(1), RegAccess::Read, key.put()));
    std::uint8_t buffer[8];
    std::memset(buffer, 0xCC, sizeof buffer);
    std::uint32_t type = 0;
    std::uint32_t size = 2;
    EXPECT_FALSE(backend.QueryValue(key.get(), L"v", type, buffer, size));
    EXPECT_EQ(buffer[0], 0xCC);

    size = sizeof buffer;
    ASSERT_TRUE(backend.QueryValue(key.get(), L"v", type, buffer, size));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(type, RegType::Binary);
    const std::uint8_t expected[8] = {1, 2, 3, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC};
    EXPECT_EQ(0, std::memcmp(buffer, expected, sizeof buffer));
}

INSTANTIATE_TEST_SUITE_P(Backends, CustomRegistryCases,
                         ::testing::ValuesIn(test::RegistryHarnessKinds()),
                         [](const auto& kind) { return kind.param.name; });

}  // namespace
}  // namespace vt

namespace vt {
namespace {

// Each operation opens its key with its own access mask, and closes every key it opened.
TEST(CustomRegistryAccess, MasksAndClosing) {
    struct MaskCase {
        const char* op;
        bool wow64;
        test::RecordingBackend::Kind opens;
        std::uint32_t mask;
    };
    using Kind = test::RecordingBackend::Kind;
    const MaskCase cases[] = {
        {"ReadRegString", false, Kind::Open, 0x20019},
        {"ReadRegString", true, Kind::Open, 0x20119},
        {"ReadRegInteger", false, Kind::Open, 0x20019},
        {"ReadRegBool", true, Kind::Open, 0x20119},
        {"WriteRegString", false, Kind::Create, 0x20006},
        {"WriteRegInteger", true, Kind::Create, 0x20106},
        {"WriteRegBinary", false, Kind::Create, 0x20006},
        {"WriteRegBool", false, Kind::Create, 0x20006},
        {"DeleteRegValue", false, Kind::Open, 0xF003F},
        {"DeleteRegValue", true, Kind::Open, 0xF013F},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(std::string(c.op) + (c.wow64 ? " wow64" : ""));
        MemoryRegistry store;
        test::RecordingBackend recorder(store);
        CustomRegistry reg(recorder);
        const auto root = RegRoot::LocalMachine;
        const std::wstring path = L"\\Software\\QENTRA\\Velotune\\";
        reg.WriteRegInteger(root, path, L"v", 1, false);  // so that reads and deletes find a key
        recorder.calls.clear();
        const std::string op = c.op;
        if (op == "ReadRegString") {
            reg.ReadRegString(root, path, L"v", L"", c.wow64);
        } else if (op == "ReadRegInteger") {
            reg.ReadRegInteger(root, path, L"v", 0, c.wow64);
        } else if (op == "ReadRegBool") {
            reg.ReadRegBool(root, path, L"v", false, c.wow64);
        } else if (op == "WriteRegString") {
            reg.WriteRegString(root, path, L"v", L"x", c.wow64);
        } else if (op == "WriteRegInteger") {
            reg.WriteRegInteger(root, path, L"v", 2, c.wow64);
        } else if (op == "WriteRegBinary") {
            reg.WriteRegBinary(root, path, L"v", {1}, c.wow64);
        } else if (op == "WriteRegBool") {
            reg.WriteRegBool(root, path, L"v", true, c.wow64);
        } else {
            reg.DeleteRegValue(root, path, L"v", c.wow64);
        }
        ASSERT_FALSE(recorder.calls.empty());
        EXPECT_EQ(recorder.calls.front().kind, c.opens);
        EXPECT_EQ(recorder.calls.front().access, c.mask);
        EXPECT_EQ(recorder.calls.front().path, L"Software\\QENTRA\\Velotune\\");  // one '\' dropped
        EXPECT_EQ(recorder.calls.back().kind, Kind::Close);
        EXPECT_EQ(store.OpenKeyCount(), 0u);
    }
}

// A key object reused for a second open closes the key it held; a lookup never adds keys.
TEST(CustomRegistryAccess, ReusedKeyClosesWhatItHeldAndLookupsAddNothing) {
    MemoryRegistry store;
    CustomRegistry reg(store);
    reg.WriteRegInteger(RegRoot::CurrentUser, L"\\a\\", L"v", 1, false);
    {
        RegKey key(store);
        ASSERT_TRUE(store.OpenKey(RegRoot::CurrentUser, L"a", RegAccess::Read, key.put()));
        ASSERT_TRUE(store.OpenKey(RegRoot::CurrentUser, L"a", RegAccess::Read, key.put()));
        EXPECT_EQ(store.OpenKeyCount(), 1u);
        EXPECT_FALSE(store.OpenKey(RegRoot::CurrentUser, L"a\\b\\c", RegAccess::Read, key.put()));
        EXPECT_EQ(store.OpenKeyCount(), 0u);
    }
    EXPECT_EQ(store.OpenKeyCount(), 0u);
    EXPECT_FALSE(store.KeyExists(RegRoot::CurrentUser, L"a\\b"));
    EXPECT_EQ(reg.ReadRegInteger(RegRoot::CurrentUser, L"\\a\\b\\", L"v", 7, false), 7);
    EXPECT_FALSE(store.KeyExists(RegRoot::CurrentUser, L"a\\b"));
}

}  // namespace
}  // namespace vt
