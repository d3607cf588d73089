// Restore and undo on real files (the reliability tests attack them with failures): the refusals, the state table,
// the favorites kept before they would exist nowhere, exact names, links, and other copies' temporaries.
#include "restore/restore.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace {

using Names = std::vector<std::wstring>;

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
    const BackupSource fromDaily{profile, BackupFolderKind::DailyBackup}, fromBackup{profile, BackupFolderKind::Backup};
};

// What a success message names as kept after `lead`, with the file it names holding `bytes`; "-" when it keeps none.
std::wstring KeptName(const Notice& notice, const Notice& done, std::wstring_view lead, const std::wstring& folder,
                      const std::string& bytes) {
    EXPECT_EQ(notice.icon, NoticeIcon::Information) << Utf8(notice.text);
    if (notice == done) return L"-";
    const std::wstring prefix = done.text + L'\n' + std::wstring(lead);
    EXPECT_TRUE(notice.text.starts_with(prefix)) << Utf8(notice.text);
    const std::wstring name = notice.text.substr(std::min(prefix.size(), notice.text.size()));
    EXPECT_EQ(ReadBytes(folder + L'\\' + name), bytes) << Utf8(name);
    // Never a name the browser writes or prunes: "Favorite2.dat.YYYY.MM.DD.HH".
    EXPECT_FALSE(std::regex_match(name, std::wregex(LR"(Favorite2\.dat\.\d{4}\.\d{2}\.\d{2}\.\d{2})"))) << Utf8(name);
    return name;
}

void WriteHidden(const std::wstring& path, std::string_view bytes) {
    WriteBytes(path, bytes);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace

TEST(RestoreFavorites, RefusalsStateTableAndFailures) {
    const Profile p;
    const std::string current = Pattern(100000, 7);
    WriteBytes(p.favorites, current);
    const auto restore = [&](const wchar_t* name) { return Restore(p.fromDaily, name); };
    // Favorites, undo copy, and how many entries the profile folder holds: no temporary file stays.
    const auto files = [&] {
        return std::tuple(ReadBytes(p.favorites), ReadBytes(p.undo), ListNames(p.profile).size());
    };

    // The browser check comes first.
    {
        HelperProcess browser = HelperProcess::StartAs(p.root / L"browser\\SogouExplorer.exe", {});
        EXPECT_EQ(restore(L""), kBrowserRunningNotice);
        EXPECT_EQ(UndoRestore(p.fromDaily), kBrowserRunningNotice);
    }
    EXPECT_EQ(restore(L""), kNothingSelectedNotice);
    EXPECT_EQ(restore(L"Favorite2.dat.3"), kNothingSelectedNotice);
    // A list that shows no backup folder of a known profile restores nothing.
    EXPECT_EQ(Restore(std::nullopt, L"Favorite2.dat.1"), kNotInBackupFolderNotice);
    EXPECT_EQ(files(), std::tuple(current, std::nullopt, 3u));

    // Two restores keep the first undo copy, one undo goes back before both, a second has nothing to do.
    EXPECT_EQ(restore(L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("backup 1", current, 4u));
    EXPECT_EQ(Restore(p.fromBackup, L"Favorite2.dat.old"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("older", current, 4u));
    EXPECT_EQ(UndoRestore(p.fromDaily), kUndoneNotice);
    EXPECT_EQ(UndoRestore(p.fromDaily), kNothingToUndoNotice);
    EXPECT_EQ(files(), std::tuple(current, std::nullopt, 3u));

    // Without a favorites file the backup goes into place and no undo copy is made.
    DeleteFileW(p.favorites.c_str());
    EXPECT_EQ(restore(L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(files(), std::tuple("backup 1", std::nullopt, 3u));
    EXPECT_EQ(ListNames(p.daily), (Names{L"Favorite2.dat.1", L"Favorite2.dat.2"}));
}

// With an undo copy from an earlier restore, favorites saved nowhere else are kept as a copy of their own in the
// listed folder first; saved ones are not copied again. Eleven kept copies in one second list in the order made,
// after the browser's copies, in a list that sorts as the file lists do.
TEST(RestoreFavorites, KeepsFavoritesThatExistNowhereElseInNamesThatSortNewestLast) {
    const Profile p;
    WriteBytes(p.favorites, "first");
    ASSERT_EQ(Restore(p.fromDaily, L"Favorite2.dat.1"), kRestoredNotice);
    const auto restoreOver = [&](const std::string& favorites, const wchar_t* name) {
        WriteBytes(p.favorites, favorites);
        const std::wstring kept =
            KeptName(Restore(p.fromDaily, name), kRestoredNotice, L"恢复前的收藏夹已另存为\nDailyBackup\\",
                     p.daily, favorites);
        EXPECT_EQ(ReadBytes(p.undo), "first");
        return kept;
    };
    Names made;
    for (int i = 0; i < 11; ++i) made.push_back(restoreOver("today " + std::to_string(i), L"Favorite2.dat.2"));
    EXPECT_EQ(ReadBytes(p.favorites), "backup 2");
    // The favorites as a listed backup (in either folder), as a kept copy, or as the undo copy: nothing is written.
    for (const char* saved : {"backup 1", "older", "today 3", "first"})
        EXPECT_EQ(restoreOver(saved, L"Favorite2.dat.2"), L"-") << saved;

    const HWND list =
        CreateWindowExW(0, L"LISTBOX", nullptr, LBS_SORT, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    for (const std::wstring& name : ListNames(p.daily))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    made.insert(made.begin(), {L"Favorite2.dat.1", L"Favorite2.dat.2"});
    EXPECT_EQ(Entries(list), made);
    DestroyWindow(list);
}

// Favorites changed since the restore are kept before an undo puts the old ones back: in the source's backup
// folder, else the other one, else a DailyBackup made for it; where none can be had, nothing changes.
TEST(UndoRestore, KeepsFavoritesThatExistNowhereElse) {
    const Profile p;
    const auto undoOver = [&](const std::string& favorites, const BackupSource& source, const std::wstring& keptIn) {
        WriteBytes(p.favorites, "before");
        EXPECT_EQ(Restore(p.fromDaily, L"Favorite2.dat.1"), kRestoredNotice);
        WriteBytes(p.favorites, favorites);
        const std::wstring lead = L"撤消前的收藏夹已另存为\n" + keptIn.substr(keptIn.rfind(L'\\') + 1) + L'\\';
        const std::wstring kept = KeptName(UndoRestore(source), kUndoneNotice, lead, keptIn, favorites);
        EXPECT_EQ(ReadBytes(p.favorites), "before");
        EXPECT_FALSE(ReadBytes(p.undo));
        return kept;
    };
    EXPECT_NE(undoOver("added this afternoon", p.fromBackup, p.backup), L"-");
    EXPECT_EQ(undoOver("backup 2", p.fromDaily, p.daily), L"-");
    RemoveTree(p.backup);
    EXPECT_NE(undoOver("added this evening", p.fromBackup, p.daily), L"-");
    RemoveTree(p.daily);
    MakeFolders(p.daily);
    WriteBytes(p.daily + L"\\Favorite2.dat.1", "backup 1");
    EXPECT_EQ(undoOver("backup 1", p.fromBackup, p.daily), L"-");

    // No backup folder at all: one is made, unless a file of its name is in the way.
    const Profile bare;
    RemoveTree(bare.daily);
    RemoveTree(bare.backup);
    WriteBytes(bare.undo, "old");
    WriteBytes(bare.favorites, "new");
    WriteBytes(bare.daily, "not a folder");
    EXPECT_PRED2(IsFailure, UndoRestore(bare.fromDaily), kKeepBeforeUndoFailed);
    EXPECT_EQ(ListNames(bare.profile), (Names{L"DailyBackup", L"Favorite2.dat", L"Favorite2Backup.dat"}));
    EXPECT_EQ(ReadBytes(bare.favorites), "new");
    DeleteFileW(bare.daily.c_str());
    EXPECT_NE(KeptName(UndoRestore(bare.fromBackup), kUndoneNotice, L"撤消前的收藏夹已另存为\nDailyBackup\\", bare.daily,
                       "new"),
              L"-");
    EXPECT_EQ(ReadBytes(bare.favorites), "old");
}

// The exact listed name is restored, even beside a twin that Windows would take for it; a linked favorites file
// gets the backup where it links to and stays a link, and one whose target is gone is left alone; an undo copy that
// is a link goes without its target; a copy that is the favorites file itself saves nothing.
TEST(RestoreFavorites, ExactNamesAndLinks) {
    const Profile p;
    WriteBytes(LR"(\\?\)" + p.daily + L"\\Favorite2.dat.1.", "dot");
    WriteBytes(LR"(\\?\)" + p.daily + L"\\Favorite2.dat.3 ", "space");
    const std::wstring synced = p.root / L"Sync\\Favorite2.dat";
    MakeFolders(p.root / L"Sync");
    WriteBytes(synced, "mine");
    MakeFileLink(p.favorites, synced);
    EXPECT_EQ(Restore(p.fromDaily, L"Favorite2.dat.1."), kRestoredNotice);
    EXPECT_EQ(ReadBytes(synced), "dot");
    EXPECT_EQ(Restore(p.fromDaily, L"Favorite2.dat.3 "), kRestoredNotice);
    EXPECT_EQ(ReadBytes(synced), "space");
    EXPECT_EQ(ReadBytes(p.undo), "mine");
    EXPECT_EQ(UndoRestore(p.fromDaily), kUndoneNotice);
    EXPECT_EQ(ReadBytes(synced), "mine");
    EXPECT_EQ(LinkTarget(p.favorites), LinkTarget(synced));

    // The target gone (a synchronised folder not there yet, say): no plain file takes the link's place.
    DeleteFileW(synced.c_str());
    EXPECT_PRED2(IsFailure, Restore(p.fromDaily, L"Favorite2.dat.1"), kRestoreBackupFailed);
    WriteBytes(synced, "back again");
    EXPECT_EQ(ReadBytes(p.favorites), "back again");
    EXPECT_EQ(ListNames(p.profile), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));

    // An undo copy that links elsewhere: the favorites come back from its target, and only the link goes.
    const std::wstring aside = p.root / L"Sync\\aside.dat";
    WriteBytes(aside, "old favorites");
    MakeFileLink(p.undo, aside);
    EXPECT_NE(KeptName(UndoRestore(p.fromDaily), kUndoneNotice, L"撤消前的收藏夹已另存为\nDailyBackup\\", p.daily,
                       "back again"),
              L"-");
    EXPECT_EQ(ReadBytes(p.favorites), "old favorites");
    EXPECT_EQ(ReadBytes(aside), "old favorites");
    EXPECT_EQ(GetFileAttributesW(aside.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(ListNames(p.profile), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));

    // Favorites that are a listed backup reached through a link exist nowhere else: they are kept before a restore
    // writes through the link.
    const Profile q;
    MakeFileLink(q.favorites, q.daily + L"\\Favorite2.dat.2");
    WriteBytes(q.undo, "undo");
    EXPECT_NE(KeptName(Restore(q.fromDaily, L"Favorite2.dat.1"), kRestoredNotice,
                       L"恢复前的收藏夹已另存为\nDailyBackup\\", q.daily, "backup 2"),
              L"-");
}

// Temporary files are cleared only where they are the tool's own, hidden and named exactly so, and their maker has
// ended: one that still runs may be about to rename its file; a visible look-alike is the user's.
TEST(RestoreFavorites, ClearsOnlyItsOwnTemporariesOfEndedRuns) {
    const Profile p;
    WriteBytes(p.favorites, "mine");
    const auto temporaryOf = [](const HelperProcess& maker, const wchar_t* tick = L"1") {
        return L"~quillbarrow-" + std::to_wstring(GetProcessId(maker.Handle())) + L'-' + tick + L"-0.tmp";
    };
    const HelperProcess other = HelperProcess::Start({});
    HelperProcess ended = HelperProcess::Start({});
    const std::wstring inUse = temporaryOf(other), leftOver = temporaryOf(ended), lookAlike = temporaryOf(ended, L"2"),
                       malformed = temporaryOf(ended, L"x"), emptyLeftOver = temporaryOf(ended, L"3");
    ended.Stop();
    for (const std::wstring& name : {inUse, leftOver, malformed}) WriteHidden(p.profile + L'\\' + name, "partial copy");
    WriteBytes(p.profile + L'\\' + lookAlike, "the user's");
    // Visible, but empty: a run killed as it made the file, before it was hidden. It holds nothing.
    WriteBytes(p.profile + L'\\' + emptyLeftOver, "");
    EXPECT_EQ(Restore(p.fromDaily, L"Favorite2.dat.1"), kRestoredNotice);
    Names kept{inUse, lookAlike, malformed};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Temporaries(p.profile), kept);

    // An undo that ended after putting the undo copy aside, before deleting it, leaves only that temporary: the
    // next undo has nothing to undo but still clears it.
    EXPECT_EQ(UndoRestore(p.fromDaily), kUndoneNotice);
    WriteHidden(p.profile + L'\\' + leftOver, "undo copy put aside");
    EXPECT_EQ(UndoRestore(p.fromDaily), kNothingToUndoNotice);
    EXPECT_EQ(Temporaries(p.profile), kept);
}

// Each backup's tip tells how it stands next to the favorites and the other backups, and whether it is damaged where
// the profile's format is known; what is known follows a file that changes. A backup of the favorites' very bytes is
// not restored, and a damaged one only once the user says so.
TEST(RestoreFavorites, KnowsEachBackupBeforeRestoringIt) {
    const Profile p;
    const std::string favorites = Database(10, 1), smaller = Database(4, 2);
    WriteBytes(p.favorites, favorites);
    const wchar_t* const names[] = {L"Favorite2.dat.2012.02.27.21", L"Favorite2.dat.2012.02.27.22",
                                    L"Favorite2.dat.2012.02.27.23", L"Favorite2.dat.2012.02.28.00"};
    WriteBytes(p.daily + L'\\' + names[0], favorites);
    WriteBytes(p.daily + L'\\' + names[1], smaller);
    WriteBytes(p.daily + L'\\' + names[2], smaller);
    WriteBytes(p.daily + L'\\' + names[3], Database(4, 3).substr(0, 4000));
    FactsCache facts;
    const auto tip = [&](const wchar_t* name) { return facts.Tip(p.daily, name, p.profile); };
    const auto has = [&](const std::wstring& text, const std::wstring& line) {
        return (text + L'\n').find(L'\n' + line + L'\n') != std::wstring::npos;
    };
    EXPECT_TRUE(tip(names[0]).starts_with(std::wstring(names[0]) + L"\n文件大小：10240\n保存时间：")) << Utf8(tip(names[0]));
    EXPECT_NE(tip(names[0]).find(L" 21时\n"), std::wstring::npos) << Utf8(tip(names[0]));
    EXPECT_TRUE(has(tip(names[0]), L"与当前收藏夹相同"));
    EXPECT_TRUE(has(tip(names[1]), L"比当前收藏夹小 60%") && has(tip(names[1]), L"与 Favorite2.dat.2012.02.27.23 相同"));
    EXPECT_TRUE(has(tip(names[3]), L"文件不完整或已损坏"));
    EXPECT_FALSE(has(tip(names[1]), L"文件不完整或已损坏"));
    // What is known follows the file: a copy written over anew is compared anew.
    WriteBytes(p.daily + L'\\' + names[2], Database(12, 4));
    EXPECT_TRUE(has(tip(names[2]), L"比当前收藏夹大 20%") && !has(tip(names[2]), L"与 Favorite2.dat.2012.02.27.22 相同"));

    EXPECT_EQ(RestoreFavorites(p.fromDaily, names[0], facts), kBackupIsCurrentNotice);
    EXPECT_EQ(RestoreFavorites(p.fromDaily, names[3], facts), (Notice{
        L"所选备份文件不完整或已损坏，恢复后浏览器可能读不出收藏夹。仍要恢复吗？", L"提示", NoticeIcon::Warning, true}));
    EXPECT_EQ(ListNames(p.profile), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
    EXPECT_EQ(RestoreFavorites(p.fromDaily, names[3], facts, true), kRestoredNotice);
    EXPECT_EQ(ReadBytes(p.undo), favorites);

    // Where no file of the profile has a whole header, its format is not known: nothing is called damaged.
    const Profile unknown;
    WriteBytes(unknown.favorites, "favorites of another format");
    EXPECT_FALSE(has(FactsCache().Tip(unknown.daily, L"Favorite2.dat.1", unknown.profile), L"文件不完整或已损坏"));
    EXPECT_EQ(Restore(unknown.fromDaily, L"Favorite2.dat.1"), kRestoredNotice);
}
