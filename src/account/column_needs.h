// How wide each column of the result list must be to show its header and every row's text whole.
#pragma once

#include "account/scan_rows.h"

#include <windows.h>

#include <array>

// The widths, in pixels at `dpi` in the list's font, that the name, number, size and time columns need for their
// headers and for `rows`: the name after the row image, each text with the list's margins.
std::array<int, 4> ColumnNeeds(HWND list, const std::array<const wchar_t*, 4>& headers, const ScanRows& rows, int dpi);
