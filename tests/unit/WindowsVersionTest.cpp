#include <gtest/gtest.h>

#include "engine/WindowsVersion.h"
#include "registry/MemoryRegistry.h"
#include "registry/ProgramKey.h"

namespace vt {
namespace {

TEST(WindowsVersion, ClassifiesEveryReportedVersion) {
    struct Case {
        std::uint32_t major, minor, productType;
        std::int32_t code;
    };
    const Case cases[] = {
        // 2000 and XP: the product type is not consulted.
        {5, 0, 0, 0},
        {5, 0, 1, 0},
        {5, 0, 3, 0},
        {5, 1, 0, 1},
        {5, 1, 1, 1},
        {5, 1, 2, 1},
        // 64-bit XP, Server 2003; no product type gives nothing.
        {5, 2, 1, 1},
        {5, 2, 2, 2},
        {5, 2, 3, 2},
        {5, 2, 0, -1},
        {6, 0, 1, 3},
        {6, 0, 2, 4},
        {6, 0, 3, 4},
        {6, 0, 0, -1},
        {6, 1, 1, 5},
        {6, 1, 3, 4},
        {6, 1, 0, -1},  // 2008 R2 counts as 2008
        {6, 2, 1, 6},
        {6, 2, 3, 7},
        {6, 2, 0, -1},
        {6, 3, 1, 6},
        {6, 3, 2, 7},
        {6, 3, 0, -1},  // 8.1 as 8, 2012 R2 as 2012
        // 10, 11 and the servers from 2016 on, whatever the minor version and product type.
        {10, 0, 1, 8},
        {10, 0, 3, 8},
        {10, 0, 0, 8},
        {10, 7, 2, 8},
        // NT 4 and older, unknown minors, unknown majors.
        {4, 0, 1, -1},
        {3, 51, 1, -1},
        {0, 0, 0, -1},
        {5, 3, 1, -1},
        {6, 4, 1, -1},
        {7, 0, 1, -1},
        {11, 0, 1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.major << '.' << c.minor << " type " << c.productType);
        EXPECT_EQ(ClassifyWindowsVersion(c.major, c.minor, c.productType), c.code);
    }
}

TEST(WindowsVersion, ComboItemsMapToCodesBothWays) {
    const std::int32_t codeOfItem[] = {8, 6, 5, 3, 1, 7, 4, 2, 0};
    for (int item = 0; item < 9; ++item) {
        SCOPED_TRACE(item);
        EXPECT_EQ(ConvertWindowsVersion(item), codeOfItem[item]);
        EXPECT_EQ(WindowsComboIndexForVersion(codeOfItem[item]), item);
    }
    for (int item : {-1, 9, 100, -100}) {
        EXPECT_EQ(ConvertWindowsVersion(item), -1) << item;
    }
    // Anything undetected preselects Windows 10, which converts back to 8.
    for (std::int32_t code : {-1, 9, -2, 1000}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(WindowsComboIndexForVersion(code), 0);
        EXPECT_EQ(ConvertWindowsVersion(WindowsComboIndexForVersion(code)), 8);
    }
}

TEST(WindowsVersion, ServerItemsShowTheServerPicture) {
    for (const WindowsComboItem& item : kWindowsComboItems) {
        const std::wstring caption = item.caption;
        SCOPED_TRACE(::testing::Message() << item.versionCode);
        EXPECT_EQ(caption.rfind(L"  Microsoft \u00AE Windows ", 0), 0u);
        EXPECT_EQ(item.image, caption.find(L"Server") != std::wstring::npos ? 1 : 0);
    }
}

// The captions exactly as the window lists them: two leading blanks, the registered sign U+00AE.
TEST(WindowsVersion, ComboItemsAsPrinted) {
    struct Item {
        const wchar_t* caption;
        int image;
        std::int32_t code;
    };
    const Item windows[] = {
        {L"  Microsoft \u00AE Windows 10", 0, 8},
        {L"  Microsoft \u00AE Windows 8", 0, 6},
        {L"  Microsoft \u00AE Windows 7", 0, 5},
        {L"  Microsoft \u00AE Windows Vista", 0, 3},
        {L"  Microsoft \u00AE Windows XP", 0, 1},
        {L"  Microsoft \u00AE Windows Server 2012", 1, 7},
        {L"  Microsoft \u00AE Windows Server 2008", 1, 4},
        {L"  Microsoft \u00AE Windows Server 2003", 1, 2},
        {L"  Microsoft \u00AE Windows Server 2000", 1, 0},
    };
    ASSERT_EQ(kWindowsComboItems.size(), std::size(windows));
    for (std::size_t i = 0; i < std::size(windows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::wstring(kWindowsComboItems[i].caption), windows[i].caption);
        EXPECT_EQ(kWindowsComboItems[i].image, windows[i].image);
        EXPECT_EQ(kWindowsComboItems[i].versionCode, windows[i].code);
    }
    const wchar_t* processors[] = {L"  Intel \u00AE Processor", L"  AMD \u00AE Processor",
                                   L"  VIA \u00AE Processor"};
    ASSERT_EQ(kProcessorComboItems.size(), std::size(processors));
    for (std::size_t i = 0; i < std::size(processors); ++i) {
        EXPECT_EQ(std::wstring(kProcessorComboItems[i]), processors[i]) << i;
    }
}

class ProcessorPreselection : public ::testing::Test {
protected:
    static constexpr const wchar_t* kCpuKey =
        L"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";

    void SetName(const std::wstring& name) {
        registry.WriteRegString(RegRoot::LocalMachine, kCpuKey, L"ProcessorNameString", name,
                                false);
    }
    void SetStored(std::int32_t type) {
        registry.WriteRegInteger(program_key::kRoot, program_key::kPath,
                                 program_key::kProcessorType, type, false);
    }

    MemoryRegistry backend;
    CustomRegistry registry{backend};
};

TEST_F(ProcessorPreselection, DetectsTheFamilyFromTheProcessorName) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"Intel(R) Core(TM) i7-9700K CPU @ 3.60GHz", 0},
        {L"GENUINEINTEL", 0},
        {L"AMD Ryzen 7 5800X 8-Core Processor", 1},
        {L"amd athlon", 1},
        {L"VIA Nano L2200", 2},
        {L"Intel AMD hybrid", 0},  // intel is tested first
        {L"AMD on a VIA board", 1},
        {L"Apple M1", 0},
        {L"", 0},
    };
    for (const auto& [name, type] : cases) {
        SCOPED_TRACE(::testing::Message() << name);
        SetName(name);
        EXPECT_EQ(PreselectProcessor(registry), type);
    }
}

TEST_F(ProcessorPreselection, StoredTypeWinsUncheckedAndNothingIsWritten) {
    SetName(L"AMD Ryzen");
    for (std::int32_t stored : {0, 2, 7, -5}) {
        SCOPED_TRACE(stored);
        SetStored(stored);
        EXPECT_EQ(PreselectProcessor(registry), stored);
    }
    SetStored(-1);
    EXPECT_EQ(PreselectProcessor(registry), 1);
    EXPECT_EQ(registry.ReadRegInteger(program_key::kRoot, program_key::kPath,
                                      program_key::kProcessorType, 99, false),
              -1);
}

TEST_F(ProcessorPreselection, NothingStoredAndNoNameGivesIntel) {
    EXPECT_EQ(PreselectProcessor(registry), 0);
    EXPECT_FALSE(backend.KeyExists(program_key::kRoot, L"Software\\QENTRA\\Velotune"));
    EXPECT_EQ(backend.OpenKeyCount(), 0u);
}

}  // namespace
}  // namespace vt
