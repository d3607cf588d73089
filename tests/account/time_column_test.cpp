// The time column under a simplified-Chinese and an English user locale.
#include "account/time_column.h"
#include "account/backup_scan.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The FILETIME of a local date and time of this machine's time zone, with the daylight-saving rule of that date.
std::uint64_t LocalTicks(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    const SYSTEMTIME local{year, month, 0, day, hour, minute, 0, 0};
    SYSTEMTIME utc{};
    FILETIME ticks{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &ticks)) {
        throw std::runtime_error("local time conversion failed");
    }
    return std::uint64_t{ticks.dwHighDateTime} << 32 | ticks.dwLowDateTime;
}

ScanRow RowWrittenAt(std::uint64_t ticks) {
    return ScanRow{L"Favorite2.dat.2012.02.27.22", 1, 100, ticks, false};
}

void SetLastWriteTime(const std::wstring& path, std::uint64_t ticks) {
    const UniqueFileHandle entry{CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    ASSERT_TRUE(entry && SetFileTime(entry.Get(), nullptr, nullptr, &time)) << Utf8(path);
}

void ExpectEveryMonth(const wchar_t* const (&expected)[12]) {
    for (WORD month = 1; month <= 12; ++month) {
        EXPECT_EQ(TimeColumnText(RowWrittenAt(LocalTicks(2012, month, 15, 12, 0))), expected[month - 1]) << month;
    }
}

}  // namespace

// Registered with LC_ALL=zh_CN.UTF-8.
TEST(TimeColumnChinese, ScannedCopyAndFolderShowTheirLastWriteTime) {
    TempFolder root{L"qb-time"};
    WriteBytes(root / L"Favorite2.dat.2012.02.27.22", "favorites");
    MakeFolders(root / L"old");
    SetLastWriteTime(root / L"Favorite2.dat.2012.02.27.22", LocalTicks(2012, 2, 27, 22, 5));
    SetLastWriteTime(root / L"old", LocalTicks(2009, 3, 3, 8, 30));
    std::uint64_t counter = 0;
    std::vector<ScanRow> rows;
    FindFilesAPI(root.Path(), L"*.*", counter, rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(TimeColumnText(rows[0]), L"22:05 2012/二月/27");
    EXPECT_EQ(TimeColumnText(rows[1]), L"08:30 2009/三月/03");
}

TEST(TimeColumnChinese, EveryMonthHasItsFullName) {
    ExpectEveryMonth({L"12:00 2012/一月/15", L"12:00 2012/二月/15", L"12:00 2012/三月/15", L"12:00 2012/四月/15",
                      L"12:00 2012/五月/15", L"12:00 2012/六月/15", L"12:00 2012/七月/15", L"12:00 2012/八月/15",
                      L"12:00 2012/九月/15", L"12:00 2012/十月/15", L"12:00 2012/十一月/15", L"12:00 2012/十二月/15"});
}

// Registered with LC_ALL=en_US.UTF-8.
TEST(TimeColumnEnglish, ShowsTheEnglishMonthName) {
    EXPECT_EQ(TimeColumnText(RowWrittenAt(LocalTicks(2012, 2, 27, 22, 5))), L"22:05 2012/February/27");
    EXPECT_EQ(TimeColumnText(RowWrittenAt(LocalTicks(2012, 7, 3, 0, 0))), L"00:00 2012/July/03");
}

TEST(TimeColumnEnglish, EveryMonthHasItsFullName) {
    ExpectEveryMonth({L"12:00 2012/January/15", L"12:00 2012/February/15", L"12:00 2012/March/15",
                      L"12:00 2012/April/15", L"12:00 2012/May/15", L"12:00 2012/June/15", L"12:00 2012/July/15",
                      L"12:00 2012/August/15", L"12:00 2012/September/15", L"12:00 2012/October/15",
                      L"12:00 2012/November/15", L"12:00 2012/December/15"});
}

// Under either locale.
TEST(TimeColumn, RowWithoutUsableTimeShowsNone) {
    EXPECT_EQ(TimeColumnText(RowWrittenAt(0)), L"");
    EXPECT_EQ(TimeColumnText(RowWrittenAt(0xFFFFFFFFFFFFFFFF)), L"");
}
