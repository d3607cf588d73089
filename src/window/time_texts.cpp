#include "window/time_texts.h"

#include "messages/texts.h"
#include "win32/local_time.h"

#include <windows.h>

#include <iterator>

namespace {

std::wstring TimeText(const NamedTime& named) {
    const CalendarTime& time = named.time;
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(time.year);
    local.wMonth = static_cast<WORD>(time.month);
    local.wDay = static_cast<WORD>(time.day);
    local.wHour = static_cast<WORD>(time.hour);
    local.wMinute = static_cast<WORD>(time.minute);
    local.wSecond = static_cast<WORD>(time.second);
    wchar_t date[80] = {}, clock[40] = {};
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, date, std::size(date), nullptr)) {
        return {};
    }
    if (!named.toTheSecond) return std::wstring(date) + L' ' + std::to_wstring(time.hour) + texts::kFactHour;
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_FORCE24HOURFORMAT, &local, nullptr, clock, std::size(clock));
    return std::wstring(date) + L' ' + clock;
}

}  // namespace

std::wstring SavedAtText(const BackupFacts& facts) {
    if (facts.namedTime) return TimeText(*facts.namedTime);
    SYSTEMTIME local{};
    if (!FileTimeToLocal(facts.lastWrite, local)) return {};
    return TimeText({{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond}, true});
}
