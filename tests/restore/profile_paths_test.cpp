#include "restore/profile_paths.h"

#include <gtest/gtest.h>

// Only a DailyBackup or Backup folder has a profile, its parent: the rest of the path is never touched, whatever
// it is called, and the chooser plays no part.
TEST(ProfileFolderFromList, IsTheParentOfABackupFolderOnly) {
    const std::pair<const wchar_t*, std::optional<std::wstring>> kCases[] = {
        {LR"(C:\R\sogouexplorer\DailyBackup)", LR"(C:\R\sogouexplorer)"},
        {LR"(C:\R\sogouexplorer\0123abcd\Backup)", LR"(C:\R\sogouexplorer\0123abcd)"},
        {LR"(C:\R\dailybackup)", LR"(C:\R)"},
        {LR"(C:\Users\BackupAdmin\AppData\Roaming\sogouexplorer\BACKUP)",
         LR"(C:\Users\BackupAdmin\AppData\Roaming\sogouexplorer)"},
        {LR"(\\nas\Backups\Backup\sogouexplorer\Backup)", LR"(\\nas\Backups\Backup\sogouexplorer)"},
        {LR"(C:\R\sogouexplorer)", std::nullopt},
        {LR"(C:\R\sogouexplorer\Backups)", std::nullopt},
        {LR"(C:\R\sogouexplorer\DailyBackup\)", std::nullopt},
        {LR"(C:\R\sogouexplorer\MyBackup)", std::nullopt},
        {LR"(C:\R\Backup\x)", std::nullopt},
        {LR"(C:\)", std::nullopt},
        {L"Backup", std::nullopt},
        {LR"(\Backup)", std::nullopt},
        {L"C:\\R\\BacK\u212Aup", std::nullopt},  // a Kelvin sign is no letter k
    };
    for (const auto& [listFolder, profile] : kCases)
        EXPECT_EQ(ProfileFolderFromList(listFolder), profile) << listFolder;
}

TEST(BackupCopyName, DateAndHourAsTheBrowserWritesThemThenANumber) {
    EXPECT_EQ(BackupCopyName(2026, 1, 2, 3), L"Favorite2.dat.2026.01.02.03");
    EXPECT_EQ(BackupCopyName(2026, 12, 31, 23, 1), L"Favorite2.dat.2026.12.31.23.1");
    EXPECT_EQ(BackupCopyName(2026, 12, 31, 0, 12), L"Favorite2.dat.2026.12.31.00.12");
}
