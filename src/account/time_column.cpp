#include "account/time_column.h"

#include "account/column_texts.h"
#include "win32/local_time.h"

#include <windows.h>

#include <iterator>

namespace {

// Read at every call, so a change of the user's settings shows at the next repaint.
std::wstring UserLocaleText(LCTYPE item) {
    wchar_t buffer[80];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, static_cast<int>(std::size(buffer)));
    return length > 0 ? std::wstring(buffer, length - 1) : std::wstring();
}

}  // namespace

std::wstring TimeColumnText(const ScanRow& row) {
    SYSTEMTIME local{};
    if (row.lastWriteTime == 0 || !FileTimeToLocal(row.lastWriteTime, local)) return {};

    const LocalTime time{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
    return ComposeTimeText(time, UserLocaleText(LOCALE_STIME), UserLocaleText(LOCALE_SDATE),
                           UserLocaleText(LOCALE_SMONTHNAME1 + local.wMonth - 1));
}
