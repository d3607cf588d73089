// DigestText: known answers, the padding's block boundaries, the account address's bytes and the output widths,
// and on Linux OpenSSL's MD5 of random messages.
#include "digest/md5.h"
#include "digest/utf16le.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

TEST(DigestText, KnownAnswersAndWidths) {
    const auto text = [](std::string_view s) { return Bytes(s.begin(), s.end()); };
    const std::pair<Bytes, const char*> kCases[] = {
        {text(""), "d41d8cd98f00b204e9800998ecf8427e"},
        {text("abc"), "900150983cd24fb0d6963f7d28e17f72"},
        // 55 bytes still take one block with their padding, 56 need two; 64 fill a block exactly.
        {Bytes(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {Bytes(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {Bytes(63, 'a'), "b06521f39153d618550606be297466d5"},
        {Bytes(64, 'a'), "014842d480b571495a4a0363793f7367"},
        // The address as UTF-16LE whatever the width of wchar_t, characters above U+FFFF as surrogate pairs.
        {Utf16LeBytes(L"abc"), "ce1473cf80c6b3fda8e3dfc006adc315"},
        {Utf16LeBytes(L"张三😀@例子.中国"), "013ae921bfc3f06b1d2218c3ca70c349"},
    };
    for (const auto& [message, digest] : kCases)
        EXPECT_EQ(DigestText(message, 32), digest) << message.size();
    // Only width 32 gives the whole digest; any other the middle 16 digits.
    for (const int width : {0, 16, 33})
        EXPECT_EQ(DigestText(text("abc"), width), "3cd24fb0d6963f7d") << width;
}

#ifndef _WIN32
#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <random>

TEST(DigestText, AgreesWithOpenSslOnRandomMessagesOfEveryLengthUpTo300) {
    std::mt19937 random(20120227);
    for (int n = 0; n < 40 * 301; ++n) {
        Bytes message(n % 301);
        std::generate(message.begin(), message.end(), [&] { return static_cast<std::uint8_t>(random()); });
        unsigned char digest[EVP_MAX_MD_SIZE];
        ASSERT_TRUE(EVP_Digest(message.data(), message.size(), digest, nullptr, EVP_md5(), nullptr));
        char expected[33];
        for (int i = 0; i < 16; ++i)
            std::snprintf(expected + 2 * i, 3, "%02x", digest[i]);
        ASSERT_EQ(DigestText(message, 32), expected) << "length " << message.size();
    }
}
#endif
