#include "profile/backup_names.h"

#include "filesystem/decimal_field.h"
#include "messages/texts.h"

#include <cwchar>
#include <iterator>

namespace {

// The ASCII letters of the two compared without regard to case, as the file system compares them: the names
// compared here are ASCII.
bool EqualAsciiIgnoringCase(std::wstring_view a, std::wstring_view b) {
    const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

bool StartsWithIgnoringCase(std::wstring_view name, std::wstring_view start) {
    return name.size() >= start.size() && EqualAsciiIgnoringCase(name.substr(0, start.size()), start);
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The fields of a dated name after "Favorite2.dat.": 4 (the browser's), 6 or 7 (a kept copy's, the last its number).
std::optional<NamedTime> ParseName(std::wstring_view name, bool& kept) {
    constexpr std::wstring_view kPrefix = L"Favorite2.dat.";
    if (!StartsWithIgnoringCase(name, kPrefix)) return std::nullopt;
    int fields[7] = {};
    std::size_t count = 0;
    for (std::wstring_view rest = name.substr(kPrefix.size()); count < 7;) {
        const std::size_t dot = rest.find(L'.');
        if (!ParseDecimalField(rest.substr(0, dot), fields[count++])) return std::nullopt;
        if (dot == std::wstring_view::npos) break;
        rest.remove_prefix(dot + 1);
        if (count == 7) return std::nullopt;
    }
    if (count != 4 && count != 6 && count != 7) return std::nullopt;
    const CalendarTime time{
        fields[0], fields[1], fields[2], fields[3], count > 4 ? fields[4] : 0, count > 4 ? fields[5] : 0};
    if (time.year < 1601 || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > DaysInMonth(time.year, time.month) || time.hour > 23 || time.minute > 59 || time.second > 59) {
        return std::nullopt;
    }
    kept = count > 4;
    return NamedTime{time, kept};
}

}  // namespace

std::wstring KeptCopyName(const CalendarTime& time, unsigned number) {
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
    return StartsWithIgnoringCase(name, L"Favorite2");
}

std::optional<NamedTime> TimeFromName(std::wstring_view name) {
    bool kept = false;
    return ParseName(name, kept);
}

bool IsKeptCopyName(std::wstring_view name) {
    bool kept = false;
    return ParseName(name, kept) && kept;
}
