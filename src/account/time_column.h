// The time text of a scan row in the user's locale.
#pragma once

#include "account/scan_rows.h"

#include <string>

// The last-write time in local time (with the daylight-saving rule of that date) as "HH:MM YYYY/MMMM/DD", with
// the user locale's time separator, date separator and full month name: "22:05 2012/二月/27" on a
// simplified-Chinese system, "22:05 2012/February/27" on an English one. A folder's row shows the folder's own
// last-write time. Empty when the row has no time or the time cannot be converted.
std::wstring TimeColumnText(const ScanRow& row);
