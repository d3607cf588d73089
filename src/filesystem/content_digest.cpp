#include "filesystem/content_digest.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87, kPrime2 = 0xC2B2AE3D27D4EB4F, kPrime3 = 0x165667B19E3779F9;

std::uint64_t Word(const std::uint8_t* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof(word));
    return word;
}

std::uint64_t Mix(std::uint64_t lane, std::uint64_t word) {
    return std::rotl(lane + word * kPrime2, 31) * kPrime1;
}

}  // namespace

void ContentDigest::Stripe(const std::uint8_t* bytes) {
    for (int lane = 0; lane < 4; ++lane)
        lanes_[lane] = Mix(lanes_[lane], Word(bytes + 8 * lane));
}

void ContentDigest::Add(std::span<const std::uint8_t> bytes) {
    length_ += bytes.size();
    if (pendingBytes_ > 0) {
        const std::size_t taken = std::min(bytes.size(), sizeof(pending_) - pendingBytes_);
        std::memcpy(pending_ + pendingBytes_, bytes.data(), taken);
        pendingBytes_ += taken;
        bytes = bytes.subspan(taken);
        if (pendingBytes_ < sizeof(pending_)) return;
        Stripe(pending_);
        pendingBytes_ = 0;
    }
    for (; bytes.size() >= sizeof(pending_); bytes = bytes.subspan(sizeof(pending_)))
        Stripe(bytes.data());
    std::memcpy(pending_, bytes.data(), bytes.size());
    pendingBytes_ = bytes.size();
}

std::uint64_t ContentDigest::Value() const {
    std::uint64_t value =
        std::rotl(lanes_[0], 1) + std::rotl(lanes_[1], 7) + std::rotl(lanes_[2], 12) + std::rotl(lanes_[3], 18);
    for (const std::uint64_t lane : lanes_)
        value = (value ^ Mix(0, lane)) * kPrime1 + kPrime3;
    value += length_;
    for (std::size_t at = 0; at < pendingBytes_; ++at)
        value = std::rotl(value ^ (pending_[at] * kPrime3), 11) * kPrime1;
    value ^= value >> 33;
    value *= kPrime2;
    value ^= value >> 29;
    value *= kPrime3;
    return value ^ (value >> 32);
}
