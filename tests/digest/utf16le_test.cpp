// The account address's bytes: UTF-16LE on every platform, whatever the width of wchar_t.
#include "digest/utf16le.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

TEST(Utf16LeBytes, TwoBytesPerCharacterLowByteFirst) {
    EXPECT_EQ(Utf16LeBytes(L""), Bytes{});
    EXPECT_EQ(Utf16LeBytes(L"abc"), (Bytes{0x61, 0x00, 0x62, 0x00, 0x63, 0x00}));
    EXPECT_EQ(Utf16LeBytes(L"张@"), (Bytes{0x20, 0x5F, 0x40, 0x00}));
    EXPECT_EQ(Utf16LeBytes(std::wstring_view(L"a\0b", 3)), (Bytes{0x61, 0x00, 0x00, 0x00, 0x62, 0x00}));
    EXPECT_EQ(Utf16LeBytes(L"\uFFFF"), (Bytes{0xFF, 0xFF}));
}

TEST(Utf16LeBytes, CharactersAboveU_FFFFBecomeSurrogatePairs) {
    EXPECT_EQ(Utf16LeBytes(L"😀"), (Bytes{0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(Utf16LeBytes(L"\U00010000\U0010FFFF"), (Bytes{0x00, 0xD8, 0x00, 0xDC, 0xFF, 0xDB, 0xFF, 0xDF}));
}
