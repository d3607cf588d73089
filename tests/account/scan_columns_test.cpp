// The size and time texts of the result list's rows.
#include "account/scan_columns.h"

#include <gtest/gtest.h>

namespace {

ScanRow FileOfSize(std::uint64_t size) {
    return ScanRow{L"Favorite2.dat", 1, size, 129748635000000000, false};
}

}  // namespace

TEST(SizeColumnText, BytesInDecimalWithoutGroupingOrUnit) {
    EXPECT_EQ(SizeColumnText(FileOfSize(0)), L"0");
    EXPECT_EQ(SizeColumnText(FileOfSize(7)), L"7");
    EXPECT_EQ(SizeColumnText(FileOfSize(1234567)), L"1234567");
}

TEST(SizeColumnText, SizesOf2GiBAndMore) {
    EXPECT_EQ(SizeColumnText(FileOfSize(2147483647)), L"2147483647");
    EXPECT_EQ(SizeColumnText(FileOfSize(2147483648)), L"2147483648");
    EXPECT_EQ(SizeColumnText(FileOfSize(4294967296)), L"4294967296");
    EXPECT_EQ(SizeColumnText(FileOfSize(5368709121)), L"5368709121");
    EXPECT_EQ(SizeColumnText(FileOfSize(18446744073709551615u)), L"18446744073709551615");
}

TEST(SizeColumnText, FolderShowsNoSize) {
    EXPECT_EQ(SizeColumnText(ScanRow{L"old", 2, 0, 129748635000000000, true}), L"");
    EXPECT_EQ(SizeColumnText(ScanRow{L"odd", 3, 4096, 129748635000000000, true}), L"");
}

TEST(ComposeTimeText, HourMinuteThenYearMonthNameDay) {
    const LocalTime time{2012, 2, 27, 22, 5};
    EXPECT_EQ(ComposeTimeText(time, L":", L"/", L"二月"), L"22:05 2012/二月/27");
    EXPECT_EQ(ComposeTimeText(time, L":", L"/", L"February"), L"22:05 2012/February/27");
}

TEST(ComposeTimeText, TakesTheLocalesSeparatorsAsTheyAre) {
    const LocalTime time{2012, 2, 27, 22, 5};
    EXPECT_EQ(ComposeTimeText(time, L".", L"-", L"Februar"), L"22.05 2012-Februar-27");
    EXPECT_EQ(ComposeTimeText(time, L" h ", L". ", L"février"), L"22 h 05 2012. février. 27");
    EXPECT_EQ(ComposeTimeText(time, L"", L"", L"M"), L"2205 2012M27");
}

TEST(ComposeTimeText, PadsHourMinuteAndDayToTwoDigitsAndTheYearToFour) {
    EXPECT_EQ(ComposeTimeText({2009, 1, 3, 0, 7}, L":", L"/", L"January"), L"00:07 2009/January/03");
    EXPECT_EQ(ComposeTimeText({2023, 12, 31, 23, 59}, L":", L"/", L"December"), L"23:59 2023/December/31");
    EXPECT_EQ(ComposeTimeText({987, 6, 1, 9, 0}, L":", L"/", L"June"), L"09:00 0987/June/01");
    EXPECT_EQ(ComposeTimeText({30827, 12, 31, 23, 59}, L":", L"/", L"December"), L"23:59 30827/December/31");
}
