// The decimal fields of the file names the tool reads: its temporary files' and the dated backups'.
#pragma once

#include <charconv>
#include <string_view>

// Reads `text`, decimal digits only, into `value`; false when it is empty, holds anything else or does not fit.
template <class Number>
bool ParseDecimalField(std::wstring_view text, Number& value) {
    if (text.empty() || text.size() > 20) return false;
    char digits[21];
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        digits[i] = static_cast<char>(text[i]);
    }
    const auto [end, error] = std::from_chars(digits, digits + text.size(), value);
    return error == std::errc{} && end == digits + text.size();
}
