#include "account/time_column.h"

#include "account/scan_columns.h"

#include <windows.h>

#include <iterator>

namespace {

// Local time by the time-zone rules of the time's own year, where Windows keeps rules per year (7 and later,
// looked up so that the program still starts on Vista); by today's rules elsewhere, as Vista itself does.
bool ToLocalTime(const SYSTEMTIME& utc, SYSTEMTIME& local) {
    using ToLocalEx = BOOL(WINAPI*)(const DYNAMIC_TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);
    static const auto toLocalEx = reinterpret_cast<ToLocalEx>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SystemTimeToTzSpecificLocalTimeEx")));
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (toLocalEx && GetDynamicTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID && toLocalEx(&zone, &utc, &local)) {
        return true;
    }
    return SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) != FALSE;
}

// Read at every call, so a change of the user's settings shows at the next repaint.
std::wstring UserLocaleText(LCTYPE item) {
    wchar_t buffer[80];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, static_cast<int>(std::size(buffer)));
    return length > 0 ? std::wstring(buffer, length - 1) : std::wstring();
}

}  // namespace

std::wstring TimeColumnText(const ScanRow& row) {
    if (row.lastWriteTime == 0) return {};
    FILETIME utcTicks{};
    utcTicks.dwLowDateTime = static_cast<DWORD>(row.lastWriteTime);
    utcTicks.dwHighDateTime = static_cast<DWORD>(row.lastWriteTime >> 32);
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&utcTicks, &utc) || !ToLocalTime(utc, local)) return {};

    const LocalTime time{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
    return ComposeTimeText(time, UserLocaleText(LOCALE_STIME), UserLocaleText(LOCALE_SDATE),
                           UserLocaleText(LOCALE_SMONTHNAME1 + local.wMonth - 1));
}
