// Known answers of DigestText: RFC 1321's suite, block boundaries, every byte value, the two output widths.
#include "digest/md5.h"
#include "digest/utf16le.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes ByteRange(int first, int last) {
    Bytes bytes(last - first + 1);
    std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(first));
    return bytes;
}

}  // namespace

TEST(DigestText, KnownAnswers) {
    const std::pair<Bytes, const char*> kCases[] = {
        // RFC 1321's test suite.
        {Text(""), "d41d8cd98f00b204e9800998ecf8427e"},
        {Text("a"), "0cc175b9c0f1b6a831c399e269772661"},
        {Text("abc"), "900150983cd24fb0d6963f7d28e17f72"},
        {Text("message digest"), "f96b697d7cb7938d525a2f31aaf161d0"},
        {Text("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b"},
        {Text("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"), "d174ab98d277d9f5a5611c2c9f419d9f"},
        {Text("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
         "57edf4a22be3c955ac49da2e2107b67a"},
        // 55 bytes still take one block with their padding, 56 need two; 119 take two, 120 three.
        {Bytes(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {Bytes(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {Bytes(63, 'a'), "b06521f39153d618550606be297466d5"},
        {Bytes(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {Bytes(119, 'a'), "8a7bd0732ed6a28ce75f6dabc90e1613"},
        {Bytes(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
        {Bytes(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
        // Bytes from 0x80 to 0xFF are taken as their values.
        {ByteRange(0x80, 0xFF), "16f404156c0500ac48efa2d3abc5fbcf"},
        {ByteRange(0x00, 0xFF), "e2c865db4162bed963bfaa9ef6ac18f0"},
        {ByteRange(0x80, 0x80), "8d39dd7eef115ea6975446ef4082951f"},
        {ByteRange(0xFF, 0xFF), "00594fd4f42ba43fc1ca0427a0576295"},
        // Account addresses as UTF-16LE, letter case not folded.
        {Utf16LeBytes(L"abc"), "ce1473cf80c6b3fda8e3dfc006adc315"},
        {Utf16LeBytes(L"张三😀@例子.中国"), "013ae921bfc3f06b1d2218c3ca70c349"},
        {Utf16LeBytes(L"ABC"), "716774b53a92b98525bba179a159cc71"},
        {Utf16LeBytes(L"User@Example.com"), "d19aac8393ee62990a0add804829cb5e"},
        {Utf16LeBytes(L"user@example.com"), "923f0c68321b444d558ab06cfe7b40cf"},
    };
    for (const auto& [message, digest] : kCases)
        EXPECT_EQ(DigestText(message, 32), digest) << message.size();
}

TEST(DigestText, OnlyWidth32GivesTheFullDigestEveryOtherTheMiddle16Digits) {
    EXPECT_EQ(DigestText({}, 16), "8f00b204e9800998");
    for (const int width : {0, 16, 33, 31, -1, 64})
        EXPECT_EQ(DigestText(Text("abc"), width), "3cd24fb0d6963f7d");
}
