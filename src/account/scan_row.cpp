#include "account/scan_row.h"

std::wstring StripNulls(std::wstring& text) {
    const std::size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}
