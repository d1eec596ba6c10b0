#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include <string>

#include "support/SourceFiles.h"

// The licence text through the system's own RTF reader, the rich edit control that WordPad and
// other viewers are built on.

namespace vt {
namespace {

struct Stream {
    const Bytes* bytes;
    std::size_t offset;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* stream = reinterpret_cast<Stream*>(cookie);
    const std::size_t left = stream->bytes->size() - stream->offset;
    const std::size_t count = std::min<std::size_t>(left, static_cast<std::size_t>(size));
    std::copy_n(stream->bytes->begin() + static_cast<std::ptrdiff_t>(stream->offset), count,
                buffer);
    stream->offset += count;
    *read = static_cast<LONG>(count);
    return 0;
}

TEST(LicenseText, ReadsAsRichTextWithItsTerms) {
    const std::optional<Bytes> rtf = test::ReadSourceFile("resources/License.rtf");
    ASSERT_TRUE(rtf.has_value());
    ASSERT_NE(LoadLibraryW(L"riched20.dll"), nullptr);
    HWND edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"", ES_MULTILINE | WS_POPUP, 0, 0, 600, 400,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);

    Stream stream{&*rtf, 0};
    EDITSTREAM source{reinterpret_cast<DWORD_PTR>(&stream), 0, &ReadChunk};
    SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&source));
    EXPECT_EQ(source.dwError, 0u);

    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    DestroyWindow(edit);

    // Read as RTF, not shown as its source: no control words and no braces survive.
    EXPECT_EQ(text.find(L"\\rtf1"), std::wstring::npos);
    EXPECT_EQ(text.find(L"{\\"), std::wstring::npos);
    for (const wchar_t* heading :
         {L"Velotune End-User Licence Agreement", L"1. Licence", L"3. Changes to your computer",
          L"6. No warranty", L"9. Entire agreement"}) {
        EXPECT_NE(text.find(heading), std::wstring::npos)
            << std::string(std::wstring(heading).begin(), std::wstring(heading).end());
    }
    EXPECT_NE(text.find(L"\u201CAS IS\u201D"), std::wstring::npos);  // the escaped quotes
    EXPECT_NE(text.find(L"Copyright \u00A9 2021 QENTRA"), std::wstring::npos);
}

}  // namespace
}  // namespace vt
