#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "support/SourceFiles.h"

namespace vt {
namespace {

// The click sound is embedded byte for byte, and the program icon has its frames.
TEST(EmbeddedArt, ClickSoundAndProgramIcon) {
    HRSRC sound = FindResourceW(nullptr, L"click", L"WAVE");
    ASSERT_NE(sound, nullptr);
    const auto file = test::ReadSourceFile("resources/images/click.wav");
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(SizeofResource(nullptr, sound), file->size());
    const void* data = LockResource(LoadResource(nullptr, sound));
    EXPECT_EQ(0, std::memcmp(data, file->data(), file->size()));

    // The shell picks, for each size, the icon the group directory names: it must be a 32-bit frame
    // drawn at exactly that size.
    HRSRC group = FindResourceW(nullptr, L"MAINICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(nullptr, group)));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC frame =
            FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3) /* RT_ICON */);
        ASSERT_NE(frame, nullptr);
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, frame)));
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask
        EXPECT_EQ(header->biBitCount, 32);
    }
}

}  // namespace
}  // namespace vt
