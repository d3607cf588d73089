#include "restore/profile_paths.h"

#include <gtest/gtest.h>

TEST(ProfileFolderFromList, RemovesEveryExactBackslashAndNameLeftToRight) {
    const struct {
        const wchar_t* list;
        const wchar_t* name;
        const wchar_t* profile;
    } kCases[] = {
        {LR"(C:\Users\a\AppData\Roaming\sogouexplorer\DailyBackup)", L"DailyBackup",
         LR"(C:\Users\a\AppData\Roaming\sogouexplorer)"},
        {LR"(C:\R\sogouexplorer\ce1473cf80c6b3fda8e3dfc006adc315\Backup)", L"Backup",
         LR"(C:\R\sogouexplorer\ce1473cf80c6b3fda8e3dfc006adc315)"},
        {LR"(C:\R\sogouexplorer)", L"DailyBackup", LR"(C:\R\sogouexplorer)"},
        {LR"(C:\R\sogouexplorer\dailybackup)", L"DailyBackup", LR"(C:\R\sogouexplorer\dailybackup)"},  // exact case
        {LR"(C:\R\MyBackup)", L"Backup", LR"(C:\R\MyBackup)"},  // no backslash before the name
        {LR"(C:\Backup\R\Backup)", L"Backup", LR"(C:\R)"},
        {LR"(C:\R\BackupOld\x)", L"Backup", LR"(C:\ROld\x)"},
        {LR"(C:\R\Backup\Backup)", L"Backup", LR"(C:\R)"},
        {LR"(C:\\BackupBackup)", L"Backup", LR"(C:\Backup)"},  // what a removal joins is not searched again
        {L"", L"Backup", L""},
        {L"\\Backup", L"Backup", L""},
        {L"C:\\用户\\张三 😀\\sogouexplorer\\DailyBackup", L"DailyBackup", L"C:\\用户\\张三 😀\\sogouexplorer"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(ProfileFolderFromList(c.list, c.name), c.profile) << c.list;
}

TEST(ProfilePaths, JoinWithOneBackslashAndNothingElse) {
    EXPECT_EQ(FavoritesPath(LR"(C:\R\sogouexplorer)"), LR"(C:\R\sogouexplorer\Favorite2.dat)");
    EXPECT_EQ(UndoCopyPath(LR"(C:\R\sogouexplorer)"), LR"(C:\R\sogouexplorer\Favorite2Backup.dat)");
    EXPECT_EQ(FavoritesPath(LR"(C:\R\)"), LR"(C:\R\\Favorite2.dat)");
    EXPECT_EQ(JoinPath(LR"(C:\R\DailyBackup)", L""), LR"(C:\R\DailyBackup\)");
}
