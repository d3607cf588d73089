#include "restore/profile_paths.h"

#include <gtest/gtest.h>

// Every "\" + name goes, in exact case, left to right; what a removal joins is not searched again.
TEST(ProfileFolderFromList, RemovesEveryExactBackslashAndNameLeftToRight) {
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\sogouexplorer\DailyBackup)", L"DailyBackup"), LR"(C:\R\sogouexplorer)");
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\dailybackup)", L"DailyBackup"), LR"(C:\R\dailybackup)");
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\Backup\R\MyBackup\BackupOld)", L"Backup"), LR"(C:\R\MyBackupOld)");
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\\BackupBackup)", L"Backup"), LR"(C:\Backup)");
}
