// MD5 digest (RFC 1321) of a byte message, as lower-case hexadecimal text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Width 32 gives the full 32-digit digest (words A, B, C, D); any other width gives the 16 digits of the
// words B and C, the middle of the full form. Every message, the empty one included, has a digest.
std::string DigestText(std::span<const std::uint8_t> message, int width);
