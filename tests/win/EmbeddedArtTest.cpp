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
        const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, frame)));
        if (size == 256) {
            // Stored as PNG, as Windows' own large frames are: 8-bit RGBA, 256 x 256.
            const BYTE png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
            ASSERT_EQ(0, std::memcmp(bytes, png, sizeof png));
            const BYTE ihdr[] = {'I', 'H', 'D', 'R', 0, 0, 1, 0, 0, 0, 1, 0, 8, 6};
            EXPECT_EQ(0, std::memcmp(bytes + 12, ihdr, sizeof ihdr));
            HICON icon =
                CreateIconFromResourceEx(const_cast<BYTE*>(bytes), SizeofResource(nullptr, frame),
                                         TRUE, 0x00030000, 256, 256, LR_DEFAULTCOLOR);
            EXPECT_NE(icon, nullptr);
            DestroyIcon(icon);
            continue;
        }
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask
        EXPECT_EQ(header->biBitCount, 32);
    }
}

}  // namespace
}  // namespace vt
