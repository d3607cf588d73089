#include "win32/case_fold.h"

#include <windows.h>

std::wstring FoldCase(std::wstring_view text) {
    std::wstring folded(text.size(), L'\0');
    if (!text.empty()) {
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), folded.data(),
                      static_cast<int>(folded.size()), nullptr, nullptr, 0);
    }
    return folded;
}
