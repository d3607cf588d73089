// The size and time texts of the result list's rows.
#include "account/scan_columns.h"

#include <gtest/gtest.h>

TEST(SizeColumnText, BytesInDecimalWithoutGroupingOrUnitAndNoneForAFolder) {
    const std::pair<std::uint64_t, const wchar_t*> kSizes[] = {
        {0, L"0"},
        {7, L"7"},
        {1234567, L"1234567"},
        {2147483647, L"2147483647"},
        {2147483648, L"2147483648"},
        {4294967296, L"4294967296"},
        {5368709121, L"5368709121"},
        {18446744073709551615u, L"18446744073709551615"},
    };
    for (const auto& [size, text] : kSizes) {
        EXPECT_EQ(SizeColumnText(ScanRow{L"Favorite2.dat", 1, size, 129748635000000000, false}), text);
        EXPECT_EQ(SizeColumnText(ScanRow{L"old", 2, size, 129748635000000000, true}), L"");
    }
}

// Hour, minute, day padded to two digits and the year to four, with the locale's separators as they are.
TEST(ComposeTimeText, HourMinuteThenYearMonthNameDay) {
    const struct {
        LocalTime time;
        const wchar_t *timeSeparator, *dateSeparator, *month, *text;
    } kCases[] = {
        {{2012, 2, 27, 22, 5}, L":", L"/", L"二月", L"22:05 2012/二月/27"},
        {{2012, 2, 27, 22, 5}, L":", L"/", L"February", L"22:05 2012/February/27"},
        {{2012, 2, 27, 22, 5}, L".", L"-", L"Februar", L"22.05 2012-Februar-27"},
        {{2012, 2, 27, 22, 5}, L" h ", L". ", L"février", L"22 h 05 2012. février. 27"},
        {{2012, 2, 27, 22, 5}, L"", L"", L"M", L"2205 2012M27"},
        {{2009, 1, 3, 0, 7}, L":", L"/", L"January", L"00:07 2009/January/03"},
        {{987, 6, 1, 9, 0}, L":", L"/", L"June", L"09:00 0987/June/01"},
        {{30827, 12, 31, 23, 59}, L":", L"/", L"December", L"23:59 30827/December/31"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ComposeTimeText(c.time, c.timeSeparator, c.dateSeparator, c.month), c.text);
    }
}
