#include "digest/md5.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

using Word = std::uint32_t;
constexpr std::size_t kBlockBytes = 64;
// Room for the 0x80 byte and the 64-bit length after the last message byte.
constexpr std::size_t kLengthFieldBytes = 8;

struct State {
    Word a = 0x67452301;
    Word b = 0xEFCDAB89;
    Word c = 0x98BADCFE;
    Word d = 0x10325476;
};

Word LoadWord(const std::uint8_t* bytes) {
    return Word{bytes[0]} | Word{bytes[1]} << 8 | Word{bytes[2]} << 16 | Word{bytes[3]} << 24;
}

// RFC 1321's auxiliary functions, in forms with fewer operations and the same values. The two halves of G never
// share a bit, so adding them equals OR-ing them, and the addition merges into the step's sums.
Word MixF(Word x, Word y, Word z) {
    return z ^ (x & (y ^ z));
}
Word MixG(Word x, Word y, Word z) {
    return (x & z) + (y & ~z);
}
Word MixH(Word x, Word y, Word z) {
    return x ^ y ^ z;
}
Word MixI(Word x, Word y, Word z) {
    return y ^ (x | ~z);
}

template <Word (*Mix)(Word, Word, Word)>
void Step(Word& a, Word b, Word c, Word d, Word x, int s, Word t) {
    // a + x + t does not wait for the previous step's result; the mix does.
    a = b + std::rotl(a + x + t + Mix(b, c, d), s);
}

void ProcessBlock(State& state, const std::uint8_t* block) {
    std::array<Word, 16> x;
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = LoadWord(block + 4 * i);
    Word a = state.a, b = state.b, c = state.c, d = state.d;

    Step<MixF>(a, b, c, d, x[0], 7, 0xD76AA478);
    Step<MixF>(d, a, b, c, x[1], 12, 0xE8C7B756);
    Step<MixF>(c, d, a, b, x[2], 17, 0x242070DB);
    Step<MixF>(b, c, d, a, x[3], 22, 0xC1BDCEEE);
    Step<MixF>(a, b, c, d, x[4], 7, 0xF57C0FAF);
    Step<MixF>(d, a, b, c, x[5], 12, 0x4787C62A);
    Step<MixF>(c, d, a, b, x[6], 17, 0xA8304613);
    Step<MixF>(b, c, d, a, x[7], 22, 0xFD469501);
    Step<MixF>(a, b, c, d, x[8], 7, 0x698098D8);
    Step<MixF>(d, a, b, c, x[9], 12, 0x8B44F7AF);
    Step<MixF>(c, d, a, b, x[10], 17, 0xFFFF5BB1);
    Step<MixF>(b, c, d, a, x[11], 22, 0x895CD7BE);
    Step<MixF>(a, b, c, d, x[12], 7, 0x6B901122);
    Step<MixF>(d, a, b, c, x[13], 12, 0xFD987193);
    Step<MixF>(c, d, a, b, x[14], 17, 0xA679438E);
    Step<MixF>(b, c, d, a, x[15], 22, 0x49B40821);

    Step<MixG>(a, b, c, d, x[1], 5, 0xF61E2562);
    Step<MixG>(d, a, b, c, x[6], 9, 0xC040B340);
    Step<MixG>(c, d, a, b, x[11], 14, 0x265E5A51);
    Step<MixG>(b, c, d, a, x[0], 20, 0xE9B6C7AA);
    Step<MixG>(a, b, c, d, x[5], 5, 0xD62F105D);
    Step<MixG>(d, a, b, c, x[10], 9, 0x02441453);
    Step<MixG>(c, d, a, b, x[15], 14, 0xD8A1E681);
    Step<MixG>(b, c, d, a, x[4], 20, 0xE7D3FBC8);
    Step<MixG>(a, b, c, d, x[9], 5, 0x21E1CDE6);
    Step<MixG>(d, a, b, c, x[14], 9, 0xC33707D6);
    Step<MixG>(c, d, a, b, x[3], 14, 0xF4D50D87);
    Step<MixG>(b, c, d, a, x[8], 20, 0x455A14ED);
    Step<MixG>(a, b, c, d, x[13], 5, 0xA9E3E905);
    Step<MixG>(d, a, b, c, x[2], 9, 0xFCEFA3F8);
    Step<MixG>(c, d, a, b, x[7], 14, 0x676F02D9);
    Step<MixG>(b, c, d, a, x[12], 20, 0x8D2A4C8A);

    Step<MixH>(a, b, c, d, x[5], 4, 0xFFFA3942);
    Step<MixH>(d, a, b, c, x[8], 11, 0x8771F681);
    Step<MixH>(c, d, a, b, x[11], 16, 0x6D9D6122);
    Step<MixH>(b, c, d, a, x[14], 23, 0xFDE5380C);
    Step<MixH>(a, b, c, d, x[1], 4, 0xA4BEEA44);
    Step<MixH>(d, a, b, c, x[4], 11, 0x4BDECFA9);
    Step<MixH>(c, d, a, b, x[7], 16, 0xF6BB4B60);
    Step<MixH>(b, c, d, a, x[10], 23, 0xBEBFBC70);
    Step<MixH>(a, b, c, d, x[13], 4, 0x289B7EC6);
    Step<MixH>(d, a, b, c, x[0], 11, 0xEAA127FA);
    Step<MixH>(c, d, a, b, x[3], 16, 0xD4EF3085);
    Step<MixH>(b, c, d, a, x[6], 23, 0x04881D05);
    Step<MixH>(a, b, c, d, x[9], 4, 0xD9D4D039);
    Step<MixH>(d, a, b, c, x[12], 11, 0xE6DB99E5);
    Step<MixH>(c, d, a, b, x[15], 16, 0x1FA27CF8);
    Step<MixH>(b, c, d, a, x[2], 23, 0xC4AC5665);

    Step<MixI>(a, b, c, d, x[0], 6, 0xF4292244);
    Step<MixI>(d, a, b, c, x[7], 10, 0x432AFF97);
    Step<MixI>(c, d, a, b, x[14], 15, 0xAB9423A7);
    Step<MixI>(b, c, d, a, x[5], 21, 0xFC93A039);
    Step<MixI>(a, b, c, d, x[12], 6, 0x655B59C3);
    Step<MixI>(d, a, b, c, x[3], 10, 0x8F0CCC92);
    Step<MixI>(c, d, a, b, x[10], 15, 0xFFEFF47D);
    Step<MixI>(b, c, d, a, x[1], 21, 0x85845DD1);
    Step<MixI>(a, b, c, d, x[8], 6, 0x6FA87E4F);
    Step<MixI>(d, a, b, c, x[15], 10, 0xFE2CE6E0);
    Step<MixI>(c, d, a, b, x[6], 15, 0xA3014314);
    Step<MixI>(b, c, d, a, x[13], 21, 0x4E0811A1);
    Step<MixI>(a, b, c, d, x[4], 6, 0xF7537E82);
    Step<MixI>(d, a, b, c, x[11], 10, 0xBD3AF235);
    Step<MixI>(c, d, a, b, x[2], 15, 0x2AD7D2BB);
    Step<MixI>(b, c, d, a, x[9], 21, 0xEB86D391);

    state.a += a;
    state.b += b;
    state.c += c;
    state.d += d;
}

// The word's four bytes from the lowest to the highest, two digits each.
void AppendWordDigits(std::string& text, Word word) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = 0; shift < 32; shift += 8) {
        const Word byte = (word >> shift) & 0xFF;
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
}

}  // namespace

std::string DigestText(std::span<const std::uint8_t> message, int width) {
    State state;
    const std::size_t fullBlocks = message.size() / kBlockBytes;
    for (std::size_t i = 0; i < fullBlocks; ++i)
        ProcessBlock(state, message.data() + i * kBlockBytes);

    // The rest of the message, the 0x80 byte, zeros and the bit count fill one or two final blocks.
    std::array<std::uint8_t, 2 * kBlockBytes> tail{};
    const std::span<const std::uint8_t> rest = message.subspan(fullBlocks * kBlockBytes);
    std::copy(rest.begin(), rest.end(), tail.begin());
    tail[rest.size()] = 0x80;
    const std::size_t tailBytes = rest.size() + kLengthFieldBytes < kBlockBytes ? kBlockBytes : 2 * kBlockBytes;
    const std::uint64_t bitCount = static_cast<std::uint64_t>(message.size()) << 3;
    for (std::size_t i = 0; i < kLengthFieldBytes; ++i) {
        tail[tailBytes - kLengthFieldBytes + i] = static_cast<std::uint8_t>(bitCount >> (8 * i));
    }
    for (std::size_t offset = 0; offset < tailBytes; offset += kBlockBytes)
        ProcessBlock(state, tail.data() + offset);

    std::string text;
    text.reserve(32);
    if (width == 32) AppendWordDigits(text, state.a);
    AppendWordDigits(text, state.b);
    AppendWordDigits(text, state.c);
    if (width == 32) AppendWordDigits(text, state.d);
    return text;
}
