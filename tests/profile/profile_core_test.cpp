// The profile's pure rules: the backups' names, and the clear header that tells a damaged backup where the profile's
// own format is known.
#include "profile/backup_format.h"
#include "profile/backup_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

// A kept copy is never named as the browser names its copies, and in name order it comes after the browser's copy of
// its hour and every kept copy made before it, before the next hour's: also past the ninth copy of one second.
TEST(KeptCopyName, NeverTheBrowsersNameAndNewestLast) {
    EXPECT_EQ(KeptCopyName({2026, 1, 2, 3, 4, 5}), L"Favorite2.dat.2026.01.02.03.04.05");
    EXPECT_EQ(KeptCopyName({2026, 12, 31, 23, 59, 59}, 12), L"Favorite2.dat.2026.12.31.23.59.59.012");
    std::vector<std::wstring> made = {L"Favorite2.dat.2026.12.07.14"};
    for (unsigned number = 0; number <= 11; ++number)
        made.push_back(KeptCopyName({2026, 12, 7, 14, 5, 33}, number));
    made.push_back(KeptCopyName({2026, 12, 7, 14, 5, 34}));
    made.push_back(L"Favorite2.dat.2026.12.07.15");
    std::vector<std::wstring> sorted = made;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, made);
    EXPECT_TRUE(IsKeptCopyName(made[1]) && IsKeptCopyName(made[5]));
    EXPECT_FALSE(IsKeptCopyName(made[0]) || IsKeptCopyName(L"Favorite2.dat.x.y"));
}

// The browser's names tell the hour, a kept copy's the second; other names, fields out of range, or a date that no
// calendar has, tell nothing.
TEST(TimeFromName, TheBrowsersAndKeptCopiesNamesOnly) {
    const auto time = [](const wchar_t* name) {
        const auto told = TimeFromName(name);
        return told ? std::vector{told->time.year,   told->time.month,  told->time.day,        told->time.hour,
                                  told->time.minute, told->time.second, int{told->toTheSecond}}
                    : std::vector<int>{};
    };
    EXPECT_EQ(time(L"Favorite2.dat.2012.02.27.22"), (std::vector{2012, 2, 27, 22, 0, 0, 0}));
    EXPECT_EQ(time(L"favorite2.DAT.2012.02.29.22"), (std::vector{2012, 2, 29, 22, 0, 0, 0}));
    EXPECT_EQ(time(L"Favorite2.dat.2026.12.07.14.05.33"), (std::vector{2026, 12, 7, 14, 5, 33, 1}));
    EXPECT_EQ(time(L"Favorite2.dat.2026.12.07.14.05.33.012"), (std::vector{2026, 12, 7, 14, 5, 33, 1}));
    for (const wchar_t* name :
         {L"Favorite2.dat", L"Favorite2.dat.2012.02.27", L"Favorite2.dat.2012.13.27.22", L"Favorite2.dat.2012.02.30.10",
          L"Favorite2.dat.2011.02.29.10", L"Favorite2.dat.2012.04.31.10", L"Favorite2.dat.2012.02.27.24",
          L"Favorite2.dat.2012.02.27.22.60.00", L"Favorite2.dat.2012.02.27.22.05", L"Favorite2.dat.2012.02.27.22 副本",
          L"Favorite2.dat.2012.02.27.22.05.33.001.1", L"Favorite2Backup.dat"})
        EXPECT_EQ(time(name), std::vector<int>{}) << name;
    EXPECT_TRUE(IsBackupName(L"FAVORITE2.dat.x") && IsBackupName(L"Favorite2"));
    EXPECT_FALSE(IsBackupName(L"Favorite3.dat") || IsBackupName(L"notes.txt"));
}

// A clear header is whole with bytes 21 to 23 at 64, 32, 32, a page size that is a power of two from 512 to 65536 (1
// standing for 65536), and a whole number of pages; anything short of that, or an empty file, is not.
TEST(HeaderIsWhole, ClearBytesAndWholePages) {
    std::array<std::uint8_t, 24> header{};
    header[16] = 0x10;  // 4096
    header[21] = 64, header[22] = 32, header[23] = 32;
    EXPECT_TRUE(HeaderIsWhole(header, 4096 * 7));
    EXPECT_FALSE(HeaderIsWhole(header, 4096 * 7 + 100));
    EXPECT_FALSE(HeaderIsWhole(header, 0));
    EXPECT_FALSE(HeaderIsWhole(std::span(header).first(23), 4096));
    header[16] = 0, header[17] = 1;  // 65536
    EXPECT_TRUE(HeaderIsWhole(header, 65536 * 2));
    for (const unsigned pageSize : {256u, 3000u, 0u}) {
        header[16] = static_cast<std::uint8_t>(pageSize >> 8), header[17] = static_cast<std::uint8_t>(pageSize);
        EXPECT_FALSE(HeaderIsWhole(header, 65536 * 3)) << pageSize;
    }
    header[16] = 0x04, header[17] = 0;  // 1024
    header[22] = 31;
    EXPECT_FALSE(HeaderIsWhole(header, 1024));
}

// Damage is claimed only against the profile's own format: the favorites' where they were read, else the one most
// listed backups share; a folder that mixes formats never makes a backup damaged because some other file is whole.
TEST(IsDamaged, OnlyAgainstTheProfilesOwnFormat) {
    EXPECT_FALSE(IsDamaged(true, true, 0, 0));
    EXPECT_TRUE(IsDamaged(false, true, 0, 5));
    EXPECT_FALSE(IsDamaged(false, false, 1, 5));  // favorites without a clear header, one old backup with one
    EXPECT_FALSE(IsDamaged(false, std::nullopt, 2, 4));
    EXPECT_TRUE(IsDamaged(false, std::nullopt, 3, 4));
    EXPECT_FALSE(IsDamaged(false, std::nullopt, 0, 0));
}
