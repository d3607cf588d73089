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
