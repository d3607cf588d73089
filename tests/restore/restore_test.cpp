#include "restore/restore.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

const Notice kRestored{L"成功恢复备份数据，请重启浏览器后查看收藏夹", L"提示", NoticeIcon::Information};
const Notice kUndone{L"成功撤消恢复", L"提示", NoticeIcon::Information};
const Notice kNothingToUndo{L"未启动恢复，无需撤消恢复", L"提示", NoticeIcon::Information};
const Notice kNothingSelected{L"未选中需要恢复的收藏文件，请重新选择", L"错误", NoticeIcon::Error};
const Notice kBrowserRunning{L"检测到搜狗浏览器正在运行，请关闭搜狗浏览器再操作", L"错误", NoticeIcon::Error};

bool StartsWith(const std::wstring& text, std::wstring_view start) { return text.starts_with(start); }

// A shared profile folder with favorites and two backup copies in DailyBackup.
class RestoreTest : public testing::Test {
protected:
    RestoreTest() {
        MakeFolders(daily);
        WriteBytes(favorites, "current favorites");
        WriteBytes(daily + L"\\Favorite2.dat.2012.02.27.22", "backup of 27 February");
        WriteBytes(daily + L"\\Favorite2.dat.2012.02.28.09", "backup of 28 February");
    }

    Notice Restore(const std::wstring& name) { return RestoreFavorites(daily, name, L"DailyBackup"); }
    std::optional<std::string> Favorites() const { return ReadBytes(favorites); }
    std::optional<std::string> UndoCopy() const { return ReadBytes(undo); }
    std::vector<std::wstring> ProfileEntries() const { return ListNames(profile); }

    TempFolder root{L"qb-restore"};
    std::wstring profile = root / L"sogouexplorer";
    std::wstring daily = profile + L"\\DailyBackup";
    std::wstring favorites = profile + L"\\Favorite2.dat";
    std::wstring undo = profile + L"\\Favorite2Backup.dat";
    const std::vector<std::wstring> kProfileWithUndo{L"DailyBackup", L"Favorite2.dat", L"Favorite2Backup.dat"};
    const std::vector<std::wstring> kProfileWithoutUndo{L"DailyBackup", L"Favorite2.dat"};
};

}  // namespace

TEST_F(RestoreTest, RestoreKeepsTheFavoritesAsUndoCopyAndUndoBringsThemBack) {
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    EXPECT_EQ(Favorites(), "backup of 27 February");
    EXPECT_EQ(UndoCopy(), "current favorites");

    EXPECT_EQ(UndoRestore(profile), kUndone);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(UndoCopy(), std::nullopt);
    EXPECT_EQ(ProfileEntries(), kProfileWithoutUndo);
}

TEST_F(RestoreTest, TwoRestoresKeepTheFirstUndoCopyAndOneUndoGoesBackBeforeBoth) {
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.28.09"), kRestored);
    EXPECT_EQ(Favorites(), "backup of 28 February");
    EXPECT_EQ(UndoCopy(), "current favorites");

    EXPECT_EQ(UndoRestore(profile), kUndone);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(UndoRestore(profile), kNothingToUndo);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(ProfileEntries(), kProfileWithoutUndo);
}

TEST_F(RestoreTest, UndoWithoutUndoCopyChangesNothing) {
    EXPECT_EQ(UndoRestore(profile), kNothingToUndo);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(UndoRestore(root / L"missing profile"), kNothingToUndo);
}

TEST_F(RestoreTest, NothingSelectedOrAVanishedCopyIsRefused) {
    EXPECT_EQ(Restore(L""), kNothingSelected);
    EXPECT_EQ(Restore(L"Favorite2.dat.1999.01.01.00"), kNothingSelected);
    EXPECT_EQ(RestoreFavorites(root / L"no such folder", L"", L"DailyBackup"), kNothingSelected);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(ProfileEntries(), kProfileWithoutUndo);
}

TEST_F(RestoreTest, TheBackupFolderNameIsMatchedWithExactCase) {
    const std::wstring lower = profile + L"\\dailybackup2";
    MakeFolders(lower);
    WriteBytes(lower + L"\\Favorite2.dat.x", "copy");
    // "\DailyBackup" does not occur in "...\dailybackup2", so the list folder is taken as the profile folder.
    EXPECT_EQ(RestoreFavorites(lower, L"Favorite2.dat.x", L"DailyBackup"), kRestored);
    EXPECT_EQ(ReadBytes(lower + L"\\Favorite2.dat"), "copy");
    EXPECT_EQ(Favorites(), "current favorites");
}

TEST_F(RestoreTest, TheBrowserCheckComesBeforeAnythingElse) {
    HelperProcess browser = HelperProcess::StartAs(root / L"browser\\SogouExplorer.exe", {});
    EXPECT_EQ(Restore(L""), kBrowserRunning);
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kBrowserRunning);
    WriteBytes(undo, "older favorites");
    EXPECT_EQ(UndoRestore(profile), kBrowserRunning);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(UndoCopy(), "older favorites");
    browser.Stop();
    EXPECT_EQ(UndoRestore(profile), kUndone);
}

TEST_F(RestoreTest, WithoutFavoritesFileTheBackupGoesIntoPlaceWithoutUndoCopy) {
    DeleteFileW(favorites.c_str());
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    EXPECT_EQ(Favorites(), "backup of 27 February");
    EXPECT_EQ(ProfileEntries(), kProfileWithoutUndo);
    EXPECT_EQ(UndoRestore(profile), kNothingToUndo);
}

TEST_F(RestoreTest, AFavoritesFileInUseFailsTheRestoreAfterTheUndoCopyIsSaved) {
    HelperProcess holder = HoldFile(favorites, L"read");
    const Notice notice = Restore(L"Favorite2.dat.2012.02.27.22");
    EXPECT_TRUE(StartsWith(notice.text, L"无法用所选备份替换收藏夹文件（Favorite2.dat），收藏夹没有改动。\n\n原因："))
        << Utf8(notice.text);
    EXPECT_EQ(notice.caption, L"错误");
    EXPECT_EQ(notice.icon, NoticeIcon::Error);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(UndoCopy(), "current favorites");
    EXPECT_EQ(ProfileEntries(), kProfileWithUndo);

    holder.Stop();
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    EXPECT_EQ(UndoCopy(), "current favorites");
}

TEST_F(RestoreTest, AFavoritesFileLockedWithoutSharingFailsBeforeAnyStep) {
    HelperProcess holder = HoldFile(favorites, L"none");
    const Notice notice = Restore(L"Favorite2.dat.2012.02.27.22");
    EXPECT_TRUE(StartsWith(notice.text, L"无法保存撤消用的收藏夹副本（Favorite2Backup.dat），收藏夹没有改动。\n\n原因："))
        << Utf8(notice.text);
    EXPECT_EQ(ProfileEntries(), kProfileWithoutUndo);
    holder.Stop();
    EXPECT_EQ(Favorites(), "current favorites");
}

TEST_F(RestoreTest, AReadOnlyFavoritesFileIsNotReplaced) {
    SetFileAttributesW(favorites.c_str(), FILE_ATTRIBUTE_READONLY);
    const Notice notice = Restore(L"Favorite2.dat.2012.02.27.22");
    EXPECT_TRUE(StartsWith(notice.text, L"无法用所选备份替换收藏夹文件")) << Utf8(notice.text);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(UndoCopy(), "current favorites");
    EXPECT_EQ(ProfileEntries(), kProfileWithUndo);

    const Notice undoNotice = UndoRestore(profile);
    EXPECT_TRUE(StartsWith(undoNotice.text, L"无法用撤消副本恢复收藏夹文件（Favorite2.dat），收藏夹没有改动。"))
        << Utf8(undoNotice.text);
    EXPECT_EQ(ProfileEntries(), kProfileWithUndo);
}

TEST_F(RestoreTest, AnUndoCopyThatCannotBeDeletedLeavesTheFavoritesRestored) {
    ASSERT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    HelperProcess holder = HoldFile(undo, L"read");
    const Notice notice = UndoRestore(profile);
    EXPECT_TRUE(StartsWith(notice.text, L"收藏夹已恢复为原来的数据，但无法删除撤消副本（Favorite2Backup.dat）"))
        << Utf8(notice.text);
    EXPECT_EQ(Favorites(), "current favorites");
    EXPECT_EQ(UndoCopy(), "current favorites");
    holder.Stop();
    EXPECT_EQ(UndoRestore(profile), kUndone);
    EXPECT_EQ(ProfileEntries(), kProfileWithoutUndo);
}

TEST_F(RestoreTest, AMissingProfileFolderIsReportedWithTheSystemsReason) {
    // "\DailyBackup" is cut out of "...\DailyBackupOld", leaving a profile folder that does not exist.
    const std::wstring odd = profile + L"\\DailyBackupOld";
    MakeFolders(odd);
    WriteBytes(odd + L"\\Favorite2.dat.1", "copy");
    const Notice notice = RestoreFavorites(odd, L"Favorite2.dat.1", L"DailyBackup");
    EXPECT_TRUE(StartsWith(notice.text, L"无法用所选备份替换收藏夹文件")) << Utf8(notice.text);
    EXPECT_GT(notice.text.size(), notice.text.find(L"原因：") + 3);
}

TEST_F(RestoreTest, AReadOnlyOrHiddenBackupGivesAPlainFavoritesFileWithTheBackupsTime) {
    const std::wstring backup = daily + L"\\Favorite2.dat.2012.02.27.22";
    SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    const DWORD attributes = GetFileAttributesW(favorites.c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);

    WIN32_FILE_ATTRIBUTE_DATA source{};
    WIN32_FILE_ATTRIBUTE_DATA copy{};
    GetFileAttributesExW(backup.c_str(), GetFileExInfoStandard, &source);
    GetFileAttributesExW(favorites.c_str(), GetFileExInfoStandard, &copy);
    EXPECT_EQ(CompareFileTime(&source.ftLastWriteTime, &copy.ftLastWriteTime), 0);
}

TEST_F(RestoreTest, AReadOnlyUndoCopyIsStillRemovedByUndo) {
    ASSERT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    SetFileAttributesW(undo.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(UndoRestore(profile), kUndone);
    EXPECT_EQ(ProfileEntries(), kProfileWithoutUndo);
}

TEST_F(RestoreTest, TemporaryFilesOfAnInterruptedRunAreRemovedByTheNextOperation) {
    WriteBytes(profile + L"\\~quillbarrow-1234-5678-0.tmp", "half a copy");
    SetFileAttributesW((profile + L"\\~quillbarrow-1234-5678-0.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Restore(L"Favorite2.dat.2012.02.27.22"), kRestored);
    EXPECT_EQ(ProfileEntries(), kProfileWithUndo);
}
