// The size and time texts of a scan row, made when a list shows the row, and the widths of the columns that show
// the rows.
#pragma once

#include "account/scan_rows.h"

#include <array>
#include <string>
#include <string_view>

// The length in bytes in decimal, without grouping or unit. A folder's row shows no size: its own length
// means nothing to the user, and 0 would make it look like an empty file.
std::wstring SizeColumnText(const ScanRow& row);

// The size as its cell shows it: followed by an em space. The size is right-aligned and the time after it
// left-aligned, and the list view keeps but a few pixels between them at any scale; the em space keeps them apart by
// a gap that grows with the font, and so with the DPI.
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

// The result list's four column widths (name, number, size, time) within `available` pixels: their designed shares
// of 2, 1, 1 and 2 sixths, each column ending where its share of the whole ends so the widths add up exactly. Where
// the name column's share is below `needs[0]`, it widens, taking room from the time column first, then from the
// number and size columns, each down to its own need; where that is not enough, it widens past `available`.
std::array<int, 4> ColumnWidths(int available, const std::array<int, 4>& needs);
