// Texts that Win32 functions write into a caller's buffer, whatever their length.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Calls fill(buffer, size) with a buffer of `size` characters until the text fits. `fill` returns, as the usual
// Win32 functions do, the length it wrote (without the NUL) when the text fits, else the size it needs (with the
// NUL), or 0 on failure, which gives nothing.
template <class Fill>
std::optional<std::wstring> GrowingText(Fill fill, DWORD size = MAX_PATH) {
    std::wstring text;
    for (;;) {
        text.resize(size);
        const DWORD length = fill(text.data(), size);
        if (length == 0) return std::nullopt;
        if (length < size) {
            text.resize(length);
            return text;
        }
        size = length;
    }
}
