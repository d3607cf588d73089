// Prints the MD5 throughput of DigestText on a 64 MiB buffer against OpenSSL's MD5, as a ratio.
#include "digest/md5.h"

#include <openssl/evp.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBufferBytes = 64u << 20;
constexpr int kRounds = 5;

std::string OpenSslDigest(const std::vector<std::uint8_t>& message) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(message.data(), message.size(), digest, &length, EVP_md5(), nullptr);
    std::string text;
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof(pair), "%02x", digest[i]);
        text += pair;
    }
    return text;
}

// The best of several rounds, in MiB per second, and the digest of the last round.
template <class Digest>
double MebibytesPerSecond(Digest digest, std::string& result) {
    double best = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        result = digest();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::max(best, (kBufferBytes >> 20) / elapsed.count());
    }
    return best;
}

}  // namespace

int main() {
    std::vector<std::uint8_t> buffer(kBufferBytes);
    std::mt19937 random(1321);
    std::generate(buffer.begin(), buffer.end(), [&] { return static_cast<std::uint8_t>(random()); });

    std::string ours;
    std::string theirs;
    const double digestText = MebibytesPerSecond([&] { return DigestText(buffer, 32); }, ours);
    const double openSsl = MebibytesPerSecond([&] { return OpenSslDigest(buffer); }, theirs);
    std::printf("buffer:              64 MiB, best of %d rounds\n", kRounds);
    std::printf("DigestText:          %.0f MiB/s\n", digestText);
    std::printf("OpenSSL MD5:         %.0f MiB/s\n", openSsl);
    std::printf("ratio (DigestText / OpenSSL): %.2f\n", digestText / openSsl);
    std::printf("digests agree:       %s\n", ours == theirs ? "yes" : "NO");
    return ours == theirs ? 0 : 1;
}
