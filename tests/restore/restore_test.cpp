// Restore and undo on real files: the refusals, the state table, and failures that leave the favorites alone.
#include "restore/restore.h"

#include "test_support.h"

#include <gtest/gtest.h>

TEST(RestoreFavorites, RefusalsStateTableAndFailures) {
    const TempFolder root{L"qb-restore"};
    const std::wstring profile = root / L"sogouexplorer", daily = profile + L"\\DailyBackup";
    const std::wstring favorites = profile + L"\\Favorite2.dat", undo = profile + L"\\Favorite2Backup.dat";
    const std::string current = Pattern(100000, 7);
    MakeFolders(daily);
    WriteBytes(favorites, current);
    WriteBytes(daily + L"\\Favorite2.dat.1", "backup 1");
    WriteBytes(daily + L"\\Favorite2.dat.2", "backup 2");
    const auto restore = [&](const wchar_t* name) { return RestoreFavorites(daily, name, L"DailyBackup"); };
    // Favorites, undo copy, and how many entries the profile folder holds: no temporary file stays.
    const auto files = [&] { return std::tuple(ReadBytes(favorites), ReadBytes(undo), ListNames(profile).size()); };

    // The browser check comes first.
    {
        HelperProcess browser = HelperProcess::StartAs(root / L"browser\\SogouExplorer.exe", {});
        EXPECT_EQ(restore(L""), kBrowserRunningNotice);
        EXPECT_EQ(UndoRestore(profile), kBrowserRunningNotice);
    }
    EXPECT_EQ(restore(L""), kNothingSelectedNotice);
    EXPECT_EQ(files(), std::tuple(current, std::nullopt, 2u));

    // Two restores keep the first undo copy, one undo goes back before both, a second has nothing to do.
    EXPECT_EQ(restore(L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("backup 1", current, 3u));
    EXPECT_EQ(restore(L"Favorite2.dat.2"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("backup 2", current, 3u));
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    EXPECT_EQ(UndoRestore(profile), kNothingToUndoNotice);
    EXPECT_EQ(files(), std::tuple(current, std::nullopt, 2u));

    // A held or read-only favorites file is never replaced.
    {
        HelperProcess holder = HoldFile(favorites, L"read");
        EXPECT_PRED2(IsFailure, restore(L"Favorite2.dat.1"), kRestoreBackupFailed);
    }
    SetFileAttributesW(favorites.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_PRED2(IsFailure, restore(L"Favorite2.dat.1"), kRestoreBackupFailed);
    EXPECT_PRED2(IsFailure, UndoRestore(profile), kRestoreUndoCopyFailed);
    EXPECT_EQ(files(), std::tuple(current, current, 3u));

    // Without a favorites file the backup goes into place and no undo copy is made.
    SetFileAttributesW(favorites.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    DeleteFileW(favorites.c_str());
    EXPECT_EQ(restore(L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("backup 1", std::nullopt, 2u));
}
