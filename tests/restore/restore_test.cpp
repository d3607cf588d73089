// Restore and undo on real files: the refusals, the state table, failures that leave the favorites alone, the
// favorites kept before they would exist nowhere, exact names, linked favorites, and other copies' temporaries.
#include "restore/restore.h"

#include "restore/profile_paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// A profile under user folders whose names hold "Backup", with two backups in DailyBackup and one in Backup.
struct Profile {
    Profile() {
        MakeFolders(daily);
        MakeFolders(backup);
        WriteBytes(daily + L"\\Favorite2.dat.1", "backup 1");
        WriteBytes(daily + L"\\Favorite2.dat.2", "backup 2");
        WriteBytes(backup + L"\\Favorite2.dat.old", "older");
    }
    const TempFolder root{L"qb-restore"};
    const std::wstring profile = root / L"Backups\\BackupAdmin\\sogouexplorer";
    const std::wstring daily = profile + L"\\DailyBackup", backup = profile + L"\\Backup";
    const std::wstring favorites = profile + L"\\Favorite2.dat", undo = profile + L"\\Favorite2Backup.dat";
};

}  // namespace

TEST(RestoreFavorites, RefusalsStateTableAndFailures) {
    const Profile p;
    const std::string current = Pattern(100000, 7);
    WriteBytes(p.favorites, current);
    const auto restore = [&](const wchar_t* name) { return RestoreFavorites(p.daily, name); };
    // Favorites, undo copy, and how many entries the profile folder holds: no temporary file stays.
    const auto files = [&] {
        return std::tuple(ReadBytes(p.favorites), ReadBytes(p.undo), ListNames(p.profile).size());
    };

    // The browser check comes first.
    {
        HelperProcess browser = HelperProcess::StartAs(p.root / L"browser\\SogouExplorer.exe", {});
        EXPECT_EQ(restore(L""), kBrowserRunningNotice);
        EXPECT_EQ(UndoRestore(p.profile), kBrowserRunningNotice);
    }
    EXPECT_EQ(restore(L""), kNothingSelectedNotice);
    EXPECT_EQ(restore(L"Favorite2.dat.3"), kNothingSelectedNotice);
    // A list that shows no backup folder has no profile: nothing is written beside its files.
    EXPECT_EQ(RestoreFavorites(p.profile, L"Favorite2.dat"), kNotInBackupFolderNotice);
    EXPECT_EQ(RestoreFavorites(p.root / L"Backups\\BackupAdmin", L"x"), kNotInBackupFolderNotice);
    EXPECT_EQ(files(), std::tuple(current, std::nullopt, 3u));

    // Two restores keep the first undo copy, one undo goes back before both, a second has nothing to do.
    EXPECT_EQ(restore(L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("backup 1", current, 4u));
    EXPECT_EQ(RestoreFavorites(p.backup, L"Favorite2.dat.old"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("older", current, 4u));
    EXPECT_EQ(UndoRestore(p.profile), kUndoneNotice);
    EXPECT_EQ(UndoRestore(p.profile), kNothingToUndoNotice);
    EXPECT_EQ(files(), std::tuple(current, std::nullopt, 3u));

    // A held or read-only favorites file is never replaced.
    {
        HelperProcess holder = HoldFile(p.favorites, L"read");
        EXPECT_PRED2(IsFailure, restore(L"Favorite2.dat.1"), kRestoreBackupFailed);
    }
    SetFileAttributesW(p.favorites.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_PRED2(IsFailure, restore(L"Favorite2.dat.1"), kRestoreBackupFailed);
    EXPECT_PRED2(IsFailure, UndoRestore(p.profile), kRestoreUndoCopyFailed);
    EXPECT_EQ(files(), std::tuple(current, current, 4u));

    // Without a favorites file the backup goes into place and no undo copy is made.
    SetFileAttributesW(p.favorites.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(UndoRestore(p.profile), kUndoneNotice);
    DeleteFileW(p.favorites.c_str());
    EXPECT_EQ(restore(L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("backup 1", std::nullopt, 3u));
    EXPECT_EQ(ListNames(p.daily), (std::vector<std::wstring>{L"Favorite2.dat.1", L"Favorite2.dat.2"}));
}

// With an undo copy from an earlier restore, favorites saved nowhere else are kept as a backup copy named for this
// hour in the listed folder, the next free name where that is taken; saved ones are not copied again.
TEST(RestoreFavorites, KeepsFavoritesThatExistNowhereElse) {
    const Profile p;
    WriteBytes(p.favorites, "first");
    ASSERT_EQ(RestoreFavorites(p.daily, L"Favorite2.dat.1"), kRestoredNotice);

    // Restores `name` of DailyBackup with `favorites` in place; returns what the message names as kept, if any.
    const auto restoreOver = [&](const char* favorites, const wchar_t* name) {
        WriteBytes(p.favorites, favorites);
        SYSTEMTIME before{}, after{};
        GetLocalTime(&before);
        const Notice notice = RestoreFavorites(p.daily, name);
        GetLocalTime(&after);
        EXPECT_EQ(ReadBytes(p.undo), "first");
        EXPECT_EQ(notice.icon, NoticeIcon::Information);
        const std::wstring lead = std::wstring(kRestoredNotice.text) + L"\n恢复前的收藏夹已另存为 DailyBackup\\";
        if (notice.text == kRestoredNotice.text) return std::wstring(L"-");
        EXPECT_TRUE(notice.text.starts_with(lead)) << Utf8(notice.text);
        const std::wstring kept = notice.text.substr(lead.size());
        EXPECT_EQ(ReadBytes(p.daily + L'\\' + kept), favorites);
        // The name is that of the hour the restore ran in.
        const auto hourOf = [&](const SYSTEMTIME& t) { return BackupCopyName(t.wYear, t.wMonth, t.wDay, t.wHour); };
        EXPECT_TRUE(kept.starts_with(hourOf(before)) || kept.starts_with(hourOf(after))) << Utf8(kept);
        return kept.substr(hourOf(after).size());
    };
    EXPECT_EQ(restoreOver("today", L"Favorite2.dat.2"), L"");
    EXPECT_EQ(restoreOver("today, later", L"Favorite2.dat.1"), L".1");
    EXPECT_EQ(ReadBytes(p.favorites), "backup 1");
    // The favorites as a listed backup (in either folder), as a kept copy, or as the undo copy: nothing is written.
    for (const char* saved : {"backup 1", "older", "today", "first"})
        EXPECT_EQ(restoreOver(saved, L"Favorite2.dat.2"), L"-") << saved;
    EXPECT_EQ(ListNames(p.daily).size(), 4u);
    EXPECT_EQ(ListNames(p.backup).size(), 1u);
}

// The exact listed name is restored, even beside a twin that Windows would take for it; a linked favorites file
// gets the backup where it links to and stays a link; temporaries of another copy of the tool at work stay.
TEST(RestoreFavorites, ExactNamesLinkedFavoritesAndOtherCopiesTemporaries) {
    const Profile p;
    WriteBytes(LR"(\\?\)" + p.daily + L"\\Favorite2.dat.1.", "dot");
    WriteBytes(LR"(\\?\)" + p.daily + L"\\Favorite2.dat.3 ", "space");
    const std::wstring synced = p.root / L"Sync\\Favorite2.dat";
    MakeFolders(p.root / L"Sync");
    WriteBytes(synced, "mine");
    MakeFileLink(p.favorites, synced);
    EXPECT_EQ(RestoreFavorites(p.daily, L"Favorite2.dat.1."), kRestoredNotice);
    EXPECT_EQ(ReadBytes(synced), "dot");
    EXPECT_EQ(RestoreFavorites(p.daily, L"Favorite2.dat.3 "), kRestoredNotice);
    EXPECT_EQ(ReadBytes(synced), "space");
    EXPECT_EQ(ReadBytes(p.undo), "mine");
    EXPECT_EQ(UndoRestore(p.profile), kUndoneNotice);
    EXPECT_EQ(ReadBytes(synced), "mine");
    EXPECT_EQ(LinkTarget(p.favorites), LinkTarget(synced));
    EXPECT_EQ(ListNames(p.profile), (std::vector<std::wstring>{L"Backup", L"DailyBackup", L"Favorite2.dat"}));

    // Named for their maker's process: one that runs keeps its file (it may be about to rename it), one that ended
    // does not.
    const auto temporaryOf = [](const HelperProcess& maker) {
        return L"~quillbarrow-" + std::to_wstring(GetProcessId(maker.Handle())) + L"-1-0.tmp";
    };
    const HelperProcess other = HelperProcess::Start({});
    const std::wstring inUse = temporaryOf(other), ended = temporaryOf(HelperProcess::Start({}));
    for (const std::wstring& name : {inUse, ended})
        WriteBytes(p.profile + L'\\' + name, "partial copy");
    EXPECT_EQ(RestoreFavorites(p.daily, L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(Temporaries(p.profile), std::vector<std::wstring>{inUse});

    // An undo that ended after putting the undo copy aside, before deleting it, leaves only that temporary: the
    // next undo has nothing to undo but still clears it.
    EXPECT_EQ(UndoRestore(p.profile), kUndoneNotice);
    WriteBytes(p.profile + L'\\' + ended, "undo copy put aside");
    EXPECT_EQ(UndoRestore(p.profile), kNothingToUndoNotice);
    EXPECT_EQ(Temporaries(p.profile), std::vector<std::wstring>{inUse});
}
