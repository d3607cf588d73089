// Known answers of DigestText: RFC 1321's suite, block boundaries, every byte value, the two output widths.
#include "digest/md5.h"
#include "digest/utf16le.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string_view>
#include <vector>

namespace {

std::string Digest(std::string_view text, int width = 32) {
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return DigestText(bytes, width);
}

std::string DigestOfRun(char byte, std::size_t length) {
    return Digest(std::string(length, byte));
}

std::string DigestOfByteRange(int first, int last) {
    std::vector<std::uint8_t> bytes(last - first + 1);
    std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(first));
    return DigestText(bytes, 32);
}

}  // namespace

TEST(DigestText, EmptyMessage) {
    EXPECT_EQ(DigestText({}, 32), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(DigestText({}, 16), "8f00b204e9800998");
}

TEST(DigestText, Rfc1321TestSuite) {
    EXPECT_EQ(Digest(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Digest("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Digest("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Digest("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Digest("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Digest("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Digest("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(DigestText, LengthsAroundTheBlockBoundaries) {
    // 55 bytes still take one block with their padding, 56 need two; 119 take two, 120 three.
    EXPECT_EQ(DigestOfRun('a', 55), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(DigestOfRun('a', 56), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(DigestOfRun('a', 63), "b06521f39153d618550606be297466d5");
    EXPECT_EQ(DigestOfRun('a', 64), "014842d480b571495a4a0363793f7367");
    EXPECT_EQ(DigestOfRun('a', 119), "8a7bd0732ed6a28ce75f6dabc90e1613");
    EXPECT_EQ(DigestOfRun('a', 120), "5f61c0ccad4cac44c75ff505e1f1e537");
    EXPECT_EQ(DigestOfRun('a', 1000000), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(DigestText, BytesFrom0x80To0xFFAreTakenAsTheirValues) {
    EXPECT_EQ(DigestOfByteRange(0x80, 0xFF), "16f404156c0500ac48efa2d3abc5fbcf");
    EXPECT_EQ(DigestOfByteRange(0x00, 0xFF), "e2c865db4162bed963bfaa9ef6ac18f0");
    EXPECT_EQ(DigestOfByteRange(0x80, 0x80), "8d39dd7eef115ea6975446ef4082951f");
    EXPECT_EQ(DigestOfByteRange(0xFF, 0xFF), "00594fd4f42ba43fc1ca0427a0576295");
}

TEST(DigestText, OnlyWidth32GivesTheFullDigestEveryOtherTheMiddle16Digits) {
    EXPECT_EQ(Digest("abc", 32), "900150983cd24fb0d6963f7d28e17f72");
    for (const int width : {0, 16, 33, 31, -1, 64}) {
        EXPECT_EQ(Digest("abc", width), "3cd24fb0d6963f7d") << "width " << width;
    }
}

TEST(DigestText, AccountAddressAsUtf16LittleEndian) {
    EXPECT_EQ(DigestText(Utf16LeBytes(L"abc"), 32), "ce1473cf80c6b3fda8e3dfc006adc315");
    EXPECT_EQ(DigestText(Utf16LeBytes(L"张三😀@例子.中国"), 32), "013ae921bfc3f06b1d2218c3ca70c349");
}

TEST(DigestText, LetterCaseIsNotFolded) {
    EXPECT_EQ(DigestText(Utf16LeBytes(L"ABC"), 32), "716774b53a92b98525bba179a159cc71");
    EXPECT_EQ(DigestText(Utf16LeBytes(L"User@Example.com"), 32), "d19aac8393ee62990a0add804829cb5e");
    EXPECT_EQ(DigestText(Utf16LeBytes(L"user@example.com"), 32), "923f0c68321b444d558ab06cfe7b40cf");
}
