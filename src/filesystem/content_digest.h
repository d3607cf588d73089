// A digest of a file's bytes, so that files of one size can be told apart by reading each of them once: equal bytes
// give equal digests, and different bytes different ones but for chance, which a byte comparison rules out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Fed the bytes in pieces of any size; the same bytes give the same digest however they are cut. Each step takes 32
// bytes in four lanes of multiply-and-rotate, so it runs at the speed of memory rather than of the disk.
class ContentDigest {
public:
    void Add(std::span<const std::uint8_t> bytes);
    std::uint64_t Value() const;

private:
    void Stripe(const std::uint8_t* bytes);

    std::uint64_t lanes_[4] = {0x60EA27EEADC0B5D6, 0xC2B2AE3D27D4EB4F, 0, 0x61C8864E7A143579};
    std::uint8_t pending_[32] = {};
    std::size_t pendingBytes_ = 0;
    std::uint64_t length_ = 0;
};
