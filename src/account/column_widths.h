// How the result list's width is shared among its columns.
#pragma once

#include <array>

// The result list's four column widths (name, number, size, time) within `available` pixels: their designed shares
// of 2, 1, 1 and 2 sixths, each column ending where its share of the whole ends so the widths add up exactly. Where
// the name column's share is below `needs[0]`, it widens, taking room from the time column first, then from the
// number and size columns, each down to its own need; where that is not enough, it widens past `available`.
std::array<int, 4> ColumnWidths(int available, const std::array<int, 4>& needs);
