// The time column under a simplified-Chinese and an English user locale.
#include "account/time_column.h"
#include "account/backup_scan.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// The FILETIME of a local date and time of this machine's time zone, with the daylight-saving rule of that date.
std::uint64_t LocalTicks(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    const SYSTEMTIME local{year, month, 0, day, hour, minute, 0, 0};
    SYSTEMTIME utc{};
    FILETIME ticks{};
    EXPECT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &ticks));
    return std::uint64_t{ticks.dwHighDateTime} << 32 | ticks.dwLowDateTime;
}

std::wstring TextAt(std::uint64_t ticks) {
    return TimeColumnText(ScanRow{L"Favorite2.dat", 1, 100, ticks, false});
}

void ExpectEveryMonth(const std::vector<std::wstring>& names) {
    for (WORD month = 1; month <= 12; ++month) {
        EXPECT_EQ(TextAt(LocalTicks(2012, month, 15, 12, 0)), L"12:00 2012/" + names[month - 1] + L"/15");
    }
}

}  // namespace

// Registered with LC_ALL=zh_CN.UTF-8. A scanned copy and folder show their last-write time.
TEST(TimeColumnChinese, ScannedRowsAndEveryMonth) {
    TempFolder root{L"qb-time"};
    WriteBytes(root / L"Favorite2.dat.2012.02.27.22", "favorites");
    MakeFolders(root / L"old");
    ASSERT_TRUE(SetLastWriteTime(root / L"Favorite2.dat.2012.02.27.22", LocalTicks(2012, 2, 27, 22, 5)));
    ASSERT_TRUE(SetLastWriteTime(root / L"old", LocalTicks(2009, 3, 3, 8, 30)));
    std::uint64_t counter = 0;
    std::vector<ScanRow> rows;
    FindFilesAPI(root.Path(), L"*.*", counter, rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(TimeColumnText(rows[0]), L"22:05 2012/二月/27");
    EXPECT_EQ(TimeColumnText(rows[1]), L"08:30 2009/三月/03");
    ExpectEveryMonth({L"一月", L"二月", L"三月", L"四月", L"五月", L"六月", L"七月", L"八月", L"九月", L"十月",
                      L"十一月", L"十二月"});
}

// Registered with LC_ALL=en_US.UTF-8.
TEST(TimeColumnEnglish, EveryMonth) {
    EXPECT_EQ(TextAt(LocalTicks(2012, 7, 3, 0, 0)), L"00:00 2012/July/03");
    ExpectEveryMonth({L"January", L"February", L"March", L"April", L"May", L"June", L"July", L"August", L"September",
                      L"October", L"November", L"December"});
}

// Under either locale.
TEST(TimeColumn, RowWithoutUsableTimeShowsNone) {
    EXPECT_EQ(TextAt(0), L"");
    EXPECT_EQ(TextAt(0xFFFFFFFFFFFFFFFF), L"");
}
