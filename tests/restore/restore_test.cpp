#include "restore/restore.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kFirst[] = L"Favorite2.dat.2012.02.27.22";
constexpr wchar_t kSecond[] = L"Favorite2.dat.2012.02.28.09";

// A shared profile folder with favorites and two backup copies in DailyBackup.
class RestoreTest : public testing::Test {
protected:
    RestoreTest() {
        MakeFolders(daily);
        WriteBytes(favorites, "current favorites");
        WriteBytes(daily + L'\\' + kFirst, "backup of 27 February");
        WriteBytes(daily + L'\\' + kSecond, "backup of 28 February");
    }

    Notice Restore(const std::wstring& name) { return RestoreFavorites(daily, name, L"DailyBackup"); }
    void ExpectFiles(const char* expectedFavorites, std::optional<std::string> expectedUndo) const {
        EXPECT_EQ(ReadBytes(favorites), expectedFavorites);
        EXPECT_EQ(ReadBytes(undo), expectedUndo);
        std::vector<std::wstring> names{L"DailyBackup", L"Favorite2.dat"};
        if (expectedUndo) names.push_back(L"Favorite2Backup.dat");
        EXPECT_EQ(ListNames(profile), names);
    }

    TempFolder root{L"qb-restore"};
    std::wstring profile = root / L"sogouexplorer";
    std::wstring daily = profile + L"\\DailyBackup";
    std::wstring favorites = profile + L"\\Favorite2.dat";
    std::wstring undo = profile + L"\\Favorite2Backup.dat";
};

}  // namespace

// Two restores keep the first undo copy, one undo goes back before both, a second undo has nothing to do. A
// killed run's hidden temporary is cleared, and a read-only undo copy still goes.
TEST_F(RestoreTest, RestoresAndUndosFollowTheStateTable) {
    WriteBytes(profile + L"\\~quillbarrow-1234-5678-0.tmp", "half a copy");
    SetFileAttributesW((profile + L"\\~quillbarrow-1234-5678-0.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Restore(kFirst), kRestoredNotice);
    ExpectFiles("backup of 27 February", "current favorites");
    EXPECT_EQ(Restore(kSecond), kRestoredNotice);
    ExpectFiles("backup of 28 February", "current favorites");

    SetFileAttributesW(undo.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    ExpectFiles("current favorites", std::nullopt);
    EXPECT_EQ(UndoRestore(profile), kNothingToUndoNotice);
    ExpectFiles("current favorites", std::nullopt);
    EXPECT_EQ(UndoRestore(root / L"missing profile"), kNothingToUndoNotice);
}

// The browser check comes first; nothing selected, a vanished copy and a missing folder are the same refusal.
TEST_F(RestoreTest, RefusalsTouchNoFile) {
    HelperProcess browser = HelperProcess::StartAs(root / L"browser\\SogouExplorer.exe", {});
    EXPECT_EQ(Restore(L""), kBrowserRunningNotice);
    EXPECT_EQ(UndoRestore(profile), kBrowserRunningNotice);
    WriteBytes(undo, "older favorites");
    EXPECT_EQ(Restore(kFirst), kBrowserRunningNotice);
    EXPECT_EQ(UndoRestore(profile), kBrowserRunningNotice);
    browser.Stop();
    EXPECT_EQ(Restore(L""), kNothingSelectedNotice);
    EXPECT_EQ(Restore(L"Favorite2.dat.1999.01.01.00"), kNothingSelectedNotice);
    EXPECT_EQ(RestoreFavorites(root / L"no such folder", L"", L"DailyBackup"), kNothingSelectedNotice);
    ExpectFiles("current favorites", "older favorites");
}

TEST_F(RestoreTest, TheProfileFolderIsTheListFolderWithoutTheExactBackupFolderName) {
    // "\DailyBackup" does not occur in "...\dailybackup2": the list folder is the profile folder.
    const std::wstring lower = profile + L"\\dailybackup2";
    MakeFolders(lower);
    WriteBytes(lower + L"\\Favorite2.dat.x", "copy");
    EXPECT_EQ(RestoreFavorites(lower, L"Favorite2.dat.x", L"DailyBackup"), kRestoredNotice);
    EXPECT_EQ(ReadBytes(lower + L"\\Favorite2.dat"), "copy");
    EXPECT_EQ(ReadBytes(favorites), "current favorites");

    // "\DailyBackup" cut out of "...\DailyBackupOld" leaves a profile folder that does not exist.
    const std::wstring odd = profile + L"\\DailyBackupOld";
    MakeFolders(odd);
    WriteBytes(odd + L"\\Favorite2.dat.1", "copy");
    const Notice notice = RestoreFavorites(odd, L"Favorite2.dat.1", L"DailyBackup");
    EXPECT_PRED2(IsFailure, notice, kRestoreBackupFailed);
}

TEST_F(RestoreTest, WithoutFavoritesFileTheBackupGoesIntoPlaceWithoutUndoCopy) {
    DeleteFileW(favorites.c_str());
    EXPECT_EQ(Restore(kFirst), kRestoredNotice);
    ExpectFiles("backup of 27 February", std::nullopt);
    EXPECT_EQ(UndoRestore(profile), kNothingToUndoNotice);
}

// Each failed step says which, keeps the steps before it, and the next try after the hold succeeds.
TEST_F(RestoreTest, HeldFilesStopTheOperationAtTheStepTheyBlock) {
    {
        HelperProcess holder = HoldFile(favorites, L"none");
        EXPECT_PRED2(IsFailure, Restore(kFirst), kSaveUndoCopyFailed);
        EXPECT_EQ(ListNames(profile), (std::vector<std::wstring>{L"DailyBackup", L"Favorite2.dat"}));
    }
    {
        HelperProcess holder = HoldFile(favorites, L"read");
        EXPECT_PRED2(IsFailure, Restore(kFirst), kRestoreBackupFailed);
        ExpectFiles("current favorites", "current favorites");
    }
    EXPECT_EQ(Restore(kFirst), kRestoredNotice);
    {
        HelperProcess holder = HoldFile(undo, L"read");
        EXPECT_PRED2(IsFailure, UndoRestore(profile), kDeleteUndoCopyFailed);
        ExpectFiles("current favorites", "current favorites");
    }
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    ExpectFiles("current favorites", std::nullopt);
}

// A read-only favorites file is never replaced; a read-only or hidden backup gives a plain favorites file
// with the backup's time.
TEST_F(RestoreTest, AttributesOfTheFilesInvolved) {
    SetFileAttributesW(favorites.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_PRED2(IsFailure, Restore(kFirst), kRestoreBackupFailed);
    EXPECT_PRED2(IsFailure, UndoRestore(profile), kRestoreUndoCopyFailed);
    ExpectFiles("current favorites", "current favorites");

    SetFileAttributesW(favorites.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::wstring backup = daily + L'\\' + kFirst;
    SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Restore(kFirst), kRestoredNotice);
    EXPECT_FALSE(HasAttribute(favorites, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    WIN32_FILE_ATTRIBUTE_DATA source{};
    WIN32_FILE_ATTRIBUTE_DATA copy{};
    GetFileAttributesExW(backup.c_str(), GetFileExInfoStandard, &source);
    GetFileAttributesExW(favorites.c_str(), GetFileExInfoStandard, &copy);
    EXPECT_EQ(CompareFileTime(&source.ftLastWriteTime, &copy.ftLastWriteTime), 0);
}
