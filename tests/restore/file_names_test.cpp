#include "restore/file_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// A kept copy is never named as the browser names its copies, and in name order it comes after the browser's copy of
// its hour and every kept copy made before it, before the next hour's: also past the ninth copy of one second.
TEST(KeptCopyName, NeverTheBrowsersNameAndNewestLast) {
    EXPECT_EQ(KeptCopyName({2026, 1, 2, 3, 4, 5}), L"Favorite2.dat.2026.01.02.03.04.05");
    EXPECT_EQ(KeptCopyName({2026, 12, 31, 23, 59, 59}, 12), L"Favorite2.dat.2026.12.31.23.59.59.012");
    std::vector<std::wstring> made = {L"Favorite2.dat.2026.12.07.14"};
    for (unsigned number = 0; number <= 11; ++number) made.push_back(KeptCopyName({2026, 12, 7, 14, 5, 33}, number));
    made.push_back(KeptCopyName({2026, 12, 7, 14, 5, 34}));
    made.push_back(L"Favorite2.dat.2026.12.07.15");
    std::vector<std::wstring> sorted = made;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, made);
}

// Only a name of exactly the tool's form, every field digits, names the process that made it.
TEST(TemporaryMakerId, OnlyTheToolsOwnForm) {
    EXPECT_EQ(TemporaryName(1234, 567890123456, 7), L"~quillbarrow-1234-567890123456-7.tmp");
    EXPECT_EQ(TemporaryMakerId(TemporaryName(4294967295u, 18446744073709551615u, 99)), 4294967295u);
    for (const wchar_t* name : {L"~quillbarrow-12-34.tmp", L"~quillbarrow-12-34-5-6.tmp", L"~quillbarrow--34-5.tmp",
                                L"~quillbarrow-12-34-.tmp", L"~quillbarrow-x-34-5.tmp", L"~quillbarrow-12-3 4-5.tmp",
                                L"~quillbarrow-4294967296-1-1.tmp", L"~quillbarrow-12-34-5.tmp.bak",
                                L"~Quillbarrow-12-34-5.tmp", L"~quillbarrow-+12-34-5.tmp", L"quillbarrow-12-34-5.tmp"})
        EXPECT_EQ(TemporaryMakerId(name), std::nullopt) << name;
}

// The browser's names tell the hour, a kept copy's the second; other names, or fields out of range, tell nothing.
TEST(TimeFromName, TheBrowsersAndKeptCopiesNamesOnly) {
    const auto time = [](const wchar_t* name) {
        const auto told = TimeFromName(name);
        return told ? std::vector{told->year, told->month, told->day, told->hour, told->minute, told->second}
                    : std::vector<int>{};
    };
    EXPECT_EQ(time(L"Favorite2.dat.2012.02.27.22"), (std::vector{2012, 2, 27, 22, -1, -1}));
    EXPECT_EQ(time(L"favorite2.DAT.2012.02.27.22"), (std::vector{2012, 2, 27, 22, -1, -1}));
    EXPECT_EQ(time(L"Favorite2.dat.2026.12.07.14.05.33"), (std::vector{2026, 12, 7, 14, 5, 33}));
    EXPECT_EQ(time(L"Favorite2.dat.2026.12.07.14.05.33.012"), (std::vector{2026, 12, 7, 14, 5, 33}));
    for (const wchar_t* name : {L"Favorite2.dat", L"Favorite2.dat.2012.02.27", L"Favorite2.dat.2012.13.27.22",
                                L"Favorite2.dat.2012.02.27.24", L"Favorite2.dat.2012.02.27.22.60.00",
                                L"Favorite2.dat.2012.02.27.22.05", L"Favorite2.dat.2012.02.27.22 副本",
                                L"Favorite2.dat.2012.02.27.22.05.33.001.1", L"Favorite2Backup.dat"})
        EXPECT_EQ(time(name), std::vector<int>{}) << name;
    EXPECT_TRUE(IsBackupName(L"FAVORITE2.dat.x") && IsBackupName(L"Favorite2"));
    EXPECT_FALSE(IsBackupName(L"Favorite3.dat") || IsBackupName(L"notes.txt"));
}
