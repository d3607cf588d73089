#include "messages/system_error.h"

#include "messages/texts.h"

#include <algorithm>
#include <cwctype>

namespace {

// The text with each insert ("%1", "%2!s!") replaced: the first by `subject`, the others by nothing. "%0" ends the
// text; spaces doubled or left at the start by a missing insert go.
std::wstring FillInserts(std::wstring_view text, std::wstring_view subject) {
    std::wstring filled;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != L'%' || at + 1 == text.size() || !iswdigit(text[at + 1])) {
            if (text[at] != L' ' || (!filled.empty() && filled.back() != L' ')) filled += text[at];
            continue;
        }
        std::size_t end = at + 1;
        while (end < text.size() && iswdigit(text[end]))
            ++end;
        const std::wstring_view number = text.substr(at + 1, end - at - 1);
        if (number == L"0") break;
        if (end < text.size() && text[end] == L'!') end = std::min(text.find(L'!', end + 1), text.size() - 1) + 1;
        if (number == L"1") filled += subject;
        at = end - 1;
    }
    return filled;
}

bool IsWide(wchar_t c) {
    return c > 0x2E7F;
}

// A space that an insert left between two Chinese letters ("这个文件 的") goes, as Chinese puts none there.
std::wstring WithoutSpacesBetweenWideLetters(std::wstring text) {
    for (std::size_t at = 1; at + 1 < text.size(); ++at) {
        if (text[at] == L' ' && IsWide(text[at - 1]) && IsWide(text[at + 1])) text.erase(at, 1);
    }
    return text;
}

}  // namespace

std::wstring SystemErrorText(DWORD error, std::wstring_view subject) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : texts::kUnknownReason + std::to_wstring(error);
    LocalFree(buffer);
    text = WithoutSpacesBetweenWideLetters(FillInserts(text, subject));
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

Notice FailureNotice(std::wstring_view whatFailed, DWORD error, std::wstring_view subject) {
    return ErrorNotice(std::wstring(whatFailed) + texts::kReason + SystemErrorText(error, subject));
}
