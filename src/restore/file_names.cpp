#include "restore/file_names.h"

#include "common/paths.h"
#include "common/texts.h"

#include <charconv>
#include <cwchar>
#include <iterator>

namespace {

constexpr std::wstring_view kTemporaryPrefix = L"~quillbarrow-";
constexpr std::wstring_view kTemporarySuffix = L".tmp";

// Reads `text`, decimal digits only, into `value`; false when it is empty, holds anything else or does not fit.
template <class Number>
bool ParseDigits(std::wstring_view text, Number& value) {
    if (text.empty() || text.size() > 20) return false;
    char digits[21];
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        digits[i] = static_cast<char>(text[i]);
    }
    const auto [end, error] = std::from_chars(digits, digits + text.size(), value);
    return error == std::errc{} && end == digits + text.size();
}

// The ASCII letters of the two compared without regard to case: 0 when they are equal.
int CompareAsciiIgnoringCase(std::wstring_view a, std::wstring_view b) {
    const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::wstring FavoritesPath(std::wstring_view profileFolder) { return JoinPath(profileFolder, texts::kFavoritesFile); }

std::wstring UndoCopyPath(std::wstring_view profileFolder) { return JoinPath(profileFolder, texts::kUndoCopyFile); }

std::wstring KeptCopyName(const KeptCopyTime& time, unsigned number) {
    wchar_t stamp[48];
    std::swprintf(stamp, std::size(stamp), L".%04d.%02d.%02d.%02d.%02d.%02d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second);
    std::wstring name = texts::kFavoritesFile + std::wstring(stamp);
    if (number != 0) {
        std::swprintf(stamp, std::size(stamp), L".%03u", number);
        name += stamp;
    }
    return name;
}

bool IsBackupName(std::wstring_view name) {
    constexpr std::wstring_view kStart = L"Favorite2";
    return name.size() >= kStart.size() && CompareAsciiIgnoringCase(name.substr(0, kStart.size()), kStart) == 0;
}

std::optional<KeptCopyTime> TimeFromName(std::wstring_view name) {
    constexpr std::wstring_view kPrefix = L"Favorite2.dat.";
    if (name.size() < kPrefix.size() || CompareAsciiIgnoringCase(name.substr(0, kPrefix.size()), kPrefix) != 0) {
        return std::nullopt;
    }
    // The fields between the dots: 4 (the browser's), 6 or 7 (a kept copy's, the last its number).
    int fields[7] = {};
    std::size_t count = 0;
    for (std::wstring_view rest = name.substr(kPrefix.size()); count < 7;) {
        const std::size_t dot = rest.find(L'.');
        if (!ParseDigits(rest.substr(0, dot), fields[count++])) return std::nullopt;
        if (dot == std::wstring_view::npos) break;
        rest.remove_prefix(dot + 1);
        if (count == 7) return std::nullopt;
    }
    if (count != 4 && count != 6 && count != 7) return std::nullopt;
    const KeptCopyTime time{fields[0], fields[1], fields[2], fields[3], count > 4 ? fields[4] : -1,
                            count > 4 ? fields[5] : -1};
    if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 || time.minute > 59 ||
        time.second > 59) {
        return std::nullopt;
    }
    return time;
}

std::wstring TemporaryName(std::uint32_t processId, std::uint64_t tick, unsigned attempt) {
    return std::wstring(kTemporaryPrefix) + std::to_wstring(processId) + L'-' + std::to_wstring(tick) + L'-' +
           std::to_wstring(attempt) + std::wstring(kTemporarySuffix);
}

std::optional<std::uint32_t> TemporaryMakerId(std::wstring_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return std::nullopt;
    name = name.substr(kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    const std::size_t first = name.find(L'-');
    const std::size_t second = first == std::wstring_view::npos ? first : name.find(L'-', first + 1);
    if (second == std::wstring_view::npos) return std::nullopt;
    std::uint32_t processId = 0;
    std::uint64_t tick = 0;
    unsigned attempt = 0;
    if (!ParseDigits(name.substr(0, first), processId) ||
        !ParseDigits(name.substr(first + 1, second - first - 1), tick) ||
        !ParseDigits(name.substr(second + 1), attempt)) {
        return std::nullopt;
    }
    return processId;
}
