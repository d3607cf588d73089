#include "restore/profile_paths.h"

#include <gtest/gtest.h>

TEST(ProfileFolderFromList, RemovesTheBackupFolderFromSharedAndAccountLists) {
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\Users\a\AppData\Roaming\sogouexplorer\DailyBackup)", L"DailyBackup"),
              LR"(C:\Users\a\AppData\Roaming\sogouexplorer)");
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\sogouexplorer\ce1473cf80c6b3fda8e3dfc006adc315\Backup)", L"Backup"),
              LR"(C:\R\sogouexplorer\ce1473cf80c6b3fda8e3dfc006adc315)");
}

TEST(ProfileFolderFromList, KeepsAListFolderWithoutTheExactSequence) {
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\sogouexplorer)", L"DailyBackup"), LR"(C:\R\sogouexplorer)");
    // The name is matched with exact case.
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\sogouexplorer\dailybackup)", L"DailyBackup"),
              LR"(C:\R\sogouexplorer\dailybackup)");
    // Without the backslash before it the name is no match.
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\MyBackup)", L"Backup"), LR"(C:\R\MyBackup)");
}

TEST(ProfileFolderFromList, RemovesEveryOccurrenceWhereverItStands) {
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\Backup\R\Backup)", L"Backup"), LR"(C:\R)");
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\BackupOld\x)", L"Backup"), LR"(C:\ROld\x)");
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\R\Backup\Backup)", L"Backup"), LR"(C:\R)");
    // Occurrences do not overlap, and what a removal joins is not searched again.
    EXPECT_EQ(ProfileFolderFromList(LR"(C:\\BackupBackup)", L"Backup"), LR"(C:\Backup)");
}

TEST(ProfileFolderFromList, HandlesEmptyAndNonAsciiTexts) {
    EXPECT_EQ(ProfileFolderFromList(L"", L"Backup"), L"");
    EXPECT_EQ(ProfileFolderFromList(L"\\Backup", L"Backup"), L"");
    EXPECT_EQ(ProfileFolderFromList(L"C:\\用户\\张三 😀\\sogouexplorer\\DailyBackup", L"DailyBackup"),
              L"C:\\用户\\张三 😀\\sogouexplorer");
}

TEST(ProfilePaths, JoinWithOneBackslashAndNothingElse) {
    EXPECT_EQ(FavoritesPath(LR"(C:\R\sogouexplorer)"), LR"(C:\R\sogouexplorer\Favorite2.dat)");
    EXPECT_EQ(UndoCopyPath(LR"(C:\R\sogouexplorer)"), LR"(C:\R\sogouexplorer\Favorite2Backup.dat)");
    EXPECT_EQ(FavoritesPath(LR"(C:\R\)"), LR"(C:\R\\Favorite2.dat)");
    EXPECT_EQ(JoinPath(LR"(C:\R\DailyBackup)", L""), LR"(C:\R\DailyBackup\)");
}
