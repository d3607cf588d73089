// A text as UTF-16LE bytes, the form in which an account address is digested.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Two bytes per UTF-16 code unit, low byte first. Where wchar_t is 32-bit, characters above U+FFFF become
// surrogate pairs, so the bytes are the same on every platform.
std::vector<std::uint8_t> Utf16LeBytes(std::wstring_view text);
