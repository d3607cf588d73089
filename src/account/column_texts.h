// The size and time texts of a scan row, made when the result list shows the row.
#pragma once

#include "account/scan_rows.h"

#include <string>
#include <string_view>

// The length in bytes in decimal, without grouping or unit. A folder's row shows no size: its own length
// means nothing to the user, and 0 would make it look like an empty file.
std::wstring SizeColumnText(const ScanRow& row);

// The size as its cell shows it: followed by an ideographic space, one em wide. The size is right-aligned and the time
// after it left-aligned, and the list view keeps but a few pixels between them at any scale; the space keeps them apart
// by a gap that grows with the font, and so with the DPI.
std::wstring SizeCellText(const ScanRow& row);

struct LocalTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;  // 0 to 23
    int minute = 0;
};

// "HH:MM YYYY/MMMM/DD" with the locale's time separator in place of ":", its date separator in place of "/"
// and the month's full name: "22:05 2012/二月/27" in a simplified-Chinese locale.
std::wstring ComposeTimeText(const LocalTime& time,
                             std::wstring_view timeSeparator,
                             std::wstring_view dateSeparator,
                             std::wstring_view monthName);
