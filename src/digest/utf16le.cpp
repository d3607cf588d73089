#include "digest/utf16le.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUnit(std::vector<std::uint8_t>& bytes, char32_t unit) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> Utf16LeBytes(std::wstring_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t character : text) {
        const auto code = static_cast<char32_t>(character);
        if (code <= 0xFFFF) {
            // A lone surrogate stays as it is, as it would in a 16-bit wchar_t.
            AppendUnit(bytes, code);
        } else if (code <= 0x10FFFF) {
            const char32_t offset = code - 0x10000;
            AppendUnit(bytes, 0xD800 + (offset >> 10));
            AppendUnit(bytes, 0xDC00 + (offset & 0x3FF));
        } else {
            // Not a character at all; UTF-16 cannot hold it.
            AppendUnit(bytes, kReplacementCharacter);
        }
    }
    return bytes;
}
