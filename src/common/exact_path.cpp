#include "common/exact_path.h"

#include "common/paths.h"

#include <windows.h>

std::wstring ExactFullPath(std::wstring_view path) {
    const std::wstring given(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return ExactPathForm(given);
        if (length < full.size()) {
            full.resize(length);
            return ExactPathForm(full);
        }
        full.resize(length);
    }
}
