// DigestText against OpenSSL's MD5 over many random messages.
#include "digest/md5.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdio>
#include <random>
#include <vector>

TEST(DigestTextAgainstOpenSsl, RandomMessagesOfEveryLengthUpTo300) {
    std::mt19937 random(20120227);
    for (std::size_t length = 0; length <= 300; ++length) {
        for (int round = 0; round < 40; ++round) {
            std::vector<std::uint8_t> message(length);
            for (auto& byte : message)
                byte = static_cast<std::uint8_t>(random());
            unsigned char digest[EVP_MAX_MD_SIZE];
            ASSERT_TRUE(EVP_Digest(message.data(), message.size(), digest, nullptr, EVP_md5(), nullptr));
            char expected[33];
            for (int i = 0; i < 16; ++i)
                std::snprintf(expected + 2 * i, 3, "%02x", digest[i]);
            ASSERT_EQ(DigestText(message, 32), expected) << "length " << length;
            ASSERT_EQ(DigestText(message, 16), std::string(expected + 8, 16)) << "length " << length;
        }
    }
}
