#include "account/email_check.h"

#include <algorithm>

namespace {

// Lower-casing affects only ASCII letters here: every other character is refused anyway, and a character
// that Unicode lower-cases to an ASCII letter (KELVIN SIGN, for one) is no address character.
bool IsAllowed(wchar_t character) {
    return (character >= L'a' && character <= L'z') || (character >= L'A' && character <= L'Z') ||
           (character >= L'0' && character <= L'9') || character == L'_' || character == L'-' || character == L'.';
}

bool IsWellFormedPiece(std::wstring_view piece) {
    return !piece.empty() && std::all_of(piece.begin(), piece.end(), IsAllowed) && piece.front() != L'.' &&
           piece.back() != L'.';
}

}  // namespace

bool IsValidEmail(std::wstring_view address) {
    const std::size_t at = address.find(L'@');
    if (at == std::wstring_view::npos || address.find(L'@', at + 1) != std::wstring_view::npos) return false;
    const std::wstring_view local = address.substr(0, at);
    const std::wstring_view domain = address.substr(at + 1);
    if (!IsWellFormedPiece(local) || !IsWellFormedPiece(domain)) return false;

    const std::size_t lastStop = domain.rfind(L'.');
    if (lastStop == std::wstring_view::npos) return false;
    const std::size_t lastLabelLength = domain.size() - lastStop - 1;
    if (lastLabelLength != 2 && lastLabelLength != 3) return false;

    return address.find(L"..") == std::wstring_view::npos;
}
