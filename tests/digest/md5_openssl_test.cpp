// DigestText against OpenSSL's MD5 over many random messages.
#include "digest/md5.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <vector>

namespace {

std::string OpenSslDigest(const std::vector<std::uint8_t>& message) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!EVP_Digest(message.data(), message.size(), digest, &length, EVP_md5(), nullptr)) return "EVP_Digest failed";
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += kDigits[digest[i] >> 4];
        text += kDigits[digest[i] & 0xF];
    }
    return text;
}

}  // namespace

TEST(DigestTextAgainstOpenSsl, RandomMessagesOfEveryLengthUpTo300) {
    std::mt19937 random(20120227);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t length = 0; length <= 300; ++length) {
        for (int round = 0; round < 40; ++round) {
            std::vector<std::uint8_t> message(length);
            for (auto& b : message)
                b = static_cast<std::uint8_t>(byte(random));
            const std::string expected = OpenSslDigest(message);
            ASSERT_EQ(DigestText(message, 32), expected) << "length " << length;
            ASSERT_EQ(DigestText(message, 16), expected.substr(8, 16)) << "length " << length;
        }
    }
}
