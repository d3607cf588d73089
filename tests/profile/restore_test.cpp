// Where the shared profile is, and restore and undo on real files (the reliability tests attack them with failures):
// the browser check, the favorites kept before they would exist nowhere, exact names and links, what a killed run
// left, and the facts of each backup, found from what could be read.
#include "profile/restore.h"
#include "filesystem/exact_path.h"
#include "profile/facts_reader.h"
#include "win32/environment.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <regex>

namespace {

// A profile under user folders whose names hold "Backup", with two backups in DailyBackup and one in Backup.
struct Fixture {
    Fixture() {
        MakeFolders(daily);
        MakeFolders(backup);
        WriteBytes(daily + L"\\Favorite2.dat.1", "backup 1");
        WriteBytes(daily + L"\\Favorite2.dat.2", "backup 2");
        WriteBytes(backup + L"\\Favorite2.dat.old", "older");
    }
    Notice Restore(const wchar_t* name,
                   BackupFolderKind kind = BackupFolderKind::DailyBackup,
                   bool confirmed = false) const {
        return RestoreFavorites(profile, kind, name, confirmed);
    }
    Notice Undo(BackupFolderKind keepIn = BackupFolderKind::DailyBackup) const { return UndoRestore(profile, keepIn); }

    const TempFolder root{L"qb-restore"};
    const std::wstring folder = root / L"Backups\\BackupAdmin\\sogouexplorer";
    const std::wstring daily = folder + L"\\DailyBackup", backup = folder + L"\\Backup";
    const std::wstring favorites = folder + L"\\Favorite2.dat", undo = folder + L"\\Favorite2Backup.dat";
    Profile profile = PlainProfile(folder);
};

// What a success message names as kept after `lead`, with the file it names holding `bytes`; "-" when it keeps none.
std::wstring KeptName(const Notice& notice,
                      const Notice& done,
                      std::wstring_view lead,
                      const std::wstring& folder,
                      const std::string& bytes) {
    EXPECT_EQ(notice.icon, NoticeIcon::Information) << Utf8(notice.text);
    if (notice == done) return L"-";
    const std::wstring prefix = done.text + L'\n' + std::wstring(lead);
    EXPECT_TRUE(notice.text.starts_with(prefix)) << Utf8(notice.text);
    const std::wstring name = notice.text.substr(std::min(prefix.size(), notice.text.size()));
    EXPECT_EQ(ReadBytes(folder + L'\\' + name), bytes) << Utf8(name);
    // Never a name the browser writes: "Favorite2.dat.YYYY.MM.DD.HH".
    EXPECT_FALSE(std::regex_match(name, std::wregex(LR"(Favorite2\.dat\.\d{4}\.\d{2}\.\d{2}\.\d{2})"))) << Utf8(name);
    return name;
}

void WriteHidden(const std::wstring& path, std::string_view bytes) {
    WriteBytes(path, bytes);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace

// With APPDATA unset, empty or relative, the shared profile is in the roaming folder that Windows knows.
TEST(SharedProfile, InTheRoamingFolderWindowsKnowsWhereAppDataNamesNone) {
    wchar_t known[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, known), S_OK);
    const std::wstring appData = EnvironmentVariable(L"APPDATA");
    for (const wchar_t* value : {static_cast<const wchar_t*>(nullptr), L"", L"AppData"}) {
        SetEnvironmentVariableW(L"APPDATA", value);
        EXPECT_EQ(Profile::Shared().found, Profile(std::wstring(known) + L"\\sogouexplorer"))
            << (value ? Utf8(value) : "unset");
    }
    SetEnvironmentVariableW(L"APPDATA", appData.c_str());
    EXPECT_EQ(Profile::Shared().found, Profile(appData + L"\\sogouexplorer"));
}

// The browser check comes first, before any other; without a favorites file the backup goes into place and no undo
// copy is made. (The reliability tests follow the rest of the state table against a model.)
TEST(RestoreFavorites, BrowserCheckFirstAndNoUndoCopyWithoutFavorites) {
    const Fixture p;
    {
        HelperProcess browser = HelperProcess::StartAs(p.root / L"browser\\SogouExplorer.exe", {});
        EXPECT_EQ(p.Restore(L""), kBrowserRunningNotice);
        EXPECT_EQ(p.Undo(), kBrowserRunningNotice);
    }
    EXPECT_EQ(p.Restore(L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_EQ(ReadBytes(p.favorites), "backup 1");
    EXPECT_EQ(ListNames(p.folder), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
}

// With an undo copy from an earlier restore, favorites saved nowhere else are kept as a copy of their own in the
// listed folder first; saved ones are not copied again. Eleven kept copies in one second list in the order made,
// after the browser's copies, in a list that sorts as the file lists do. An undo keeps them in the folder it is given,
// else the other one, else a DailyBackup made for it; where none can be had, nothing changes.
TEST(RestoreFavorites, KeepsFavoritesThatExistNowhereElseInNamesThatSortNewestLast) {
    const Fixture p;
    WriteBytes(p.favorites, "first");
    ASSERT_EQ(p.Restore(L"Favorite2.dat.1"), kRestoredNotice);
    const auto restoreOver = [&](const std::string& favorites) {
        WriteBytes(p.favorites, favorites);
        const std::wstring kept = KeptName(p.Restore(L"Favorite2.dat.2"), kRestoredNotice,
                                           L"恢复前的收藏夹已另存到 DailyBackup 文件夹：\n", p.daily, favorites);
        EXPECT_EQ(ReadBytes(p.undo), "first");
        return kept;
    };
    Names made;
    for (int i = 0; i < 11; ++i)
        made.push_back(restoreOver("today " + std::to_string(i)));
    EXPECT_EQ(ReadBytes(p.favorites), "backup 2");
    // The favorites as a listed backup (in either folder), as a kept copy, or as the undo copy: nothing is written.
    for (const char* saved : {"backup 1", "older", "today 3", "first"})
        EXPECT_EQ(restoreOver(saved), L"-") << saved;
    const HWND list =
        CreateWindowExW(0, L"LISTBOX", nullptr, LBS_SORT, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    for (const std::wstring& name : ListNames(p.daily))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    made.insert(made.begin(), {L"Favorite2.dat.1", L"Favorite2.dat.2"});
    EXPECT_EQ(Entries(list), made);
    DestroyWindow(list);

    const auto undoOver = [&](const std::string& favorites, BackupFolderKind keepIn, const std::wstring& keptIn) {
        WriteBytes(p.favorites, "before");
        EXPECT_EQ(p.Restore(L"Favorite2.dat.1"), kRestoredNotice);
        WriteBytes(p.favorites, favorites);
        const std::wstring lead = L"撤消前的收藏夹已另存到 " + keptIn.substr(keptIn.rfind(L'\\') + 1) + L" 文件夹：\n";
        const std::wstring kept = KeptName(p.Undo(keepIn), kUndoneNotice, lead, keptIn, favorites);
        EXPECT_EQ(ReadBytes(p.favorites), "before");
        EXPECT_FALSE(ReadBytes(p.undo));
        return kept;
    };
    ASSERT_EQ(p.Undo(), kUndoneNotice);
    EXPECT_NE(undoOver("added this afternoon", BackupFolderKind::Backup, p.backup), L"-");
    EXPECT_EQ(undoOver("backup 2", BackupFolderKind::DailyBackup, p.daily), L"-");
    RemoveTree(p.backup);
    EXPECT_NE(undoOver("added this evening", BackupFolderKind::Backup, p.daily), L"-");

    // No backup folder at all: one is made, unless a file of its name is in the way.
    RemoveTree(p.daily);
    WriteBytes(p.undo, "old");
    WriteBytes(p.favorites, "new");
    WriteBytes(p.daily, "not a folder");
    EXPECT_TRUE(IsFailure(p.Undo(), L"无法把撤消前的收藏夹另存到备份目录中，\n收藏夹没有改动。"));
    EXPECT_EQ(ListNames(p.folder), (Names{L"DailyBackup", L"Favorite2.dat", L"Favorite2Backup.dat"}));
    DeleteFileW(p.daily.c_str());
    EXPECT_NE(KeptName(p.Undo(BackupFolderKind::Backup), kUndoneNotice,
                       L"撤消前的收藏夹已另存到 DailyBackup 文件夹：\n", p.daily, "new"),
              L"-");
    EXPECT_EQ(ReadBytes(p.favorites), "old");
}

// The exact listed name is restored, even beside a twin that Windows would take for it; a linked favorites file gets
// the backup where it links to and stays a link, and one whose target is gone is left alone; an undo copy that is a
// link goes without its target; a copy that is the favorites file itself saves nothing. Run as administrator, no
// write goes through a link out of the profile.
TEST(RestoreFavorites, ExactNamesAndLinks) {
    Fixture p;
    WriteBytes(LR"(\\?\)" + p.daily + L"\\Favorite2.dat.1.", "dot");
    WriteBytes(LR"(\\?\)" + p.daily + L"\\Favorite2.dat.3 ", "space");
    const std::wstring synced = p.root / L"Sync\\Favorite2.dat";
    MakeFolders(p.root / L"Sync");
    WriteBytes(synced, "mine");
    MakeLink(p.favorites, synced);
    p.profile.SetWritesConfined(true);
    EXPECT_EQ(p.Restore(L"Favorite2.dat.1."),
              ErrorNotice(L"收藏夹文件夹里有指向别处的链接，\n以管理员身份运行时，工具不会写到别处，\n"
                          L"收藏夹没有改动。请不用管理员身份再试一次。"));
    EXPECT_EQ(ListNames(p.folder), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
    EXPECT_EQ(ReadBytes(synced), "mine");
    p.profile.SetWritesConfined(false);
    EXPECT_EQ(p.Restore(L"Favorite2.dat.1."), kRestoredNotice);
    EXPECT_EQ(ReadBytes(synced), "dot");
    EXPECT_EQ(p.Restore(L"Favorite2.dat.3 "), kRestoredNotice);
    EXPECT_EQ(ReadBytes(synced), "space");
    EXPECT_EQ(ReadBytes(p.undo), "mine");
    EXPECT_EQ(p.Undo(), kUndoneNotice);
    EXPECT_EQ(ReadBytes(synced), "mine");
    EXPECT_EQ(FinalPathOf(p.favorites), FinalPathOf(synced));

    // The target gone (a synchronised folder not there yet, say): no plain file takes the link's place.
    DeleteFileW(synced.c_str());
    EXPECT_TRUE(IsFailure(p.Restore(L"Favorite2.dat.1"), texts::kRestoreBackupFailed));
    WriteBytes(synced, "back again");
    EXPECT_EQ(ReadBytes(p.favorites), "back again");
    EXPECT_EQ(ListNames(p.folder), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));

    // An undo copy that links elsewhere: the favorites come back from its target, and only the link goes.
    const std::wstring aside = p.root / L"Sync\\aside.dat";
    WriteBytes(aside, "old favorites");
    MakeLink(p.undo, aside);
    EXPECT_NE(
        KeptName(p.Undo(), kUndoneNotice, L"撤消前的收藏夹已另存到 DailyBackup 文件夹：\n", p.daily, "back again"),
        L"-");
    EXPECT_EQ(ReadBytes(p.favorites), "old favorites");
    EXPECT_EQ(ReadBytes(aside), "old favorites");
    EXPECT_EQ(Attributes(aside) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(ListNames(p.folder), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));

    // Favorites that are a listed backup reached through a link exist nowhere else: they are kept before a restore
    // writes through the link. Run as administrator, a backup folder that leads elsewhere takes no kept copy.
    Fixture q;
    MakeLink(q.favorites, q.daily + L"\\Favorite2.dat.2");
    WriteBytes(q.undo, "undo");
    EXPECT_NE(KeptName(q.Restore(L"Favorite2.dat.1"), kRestoredNotice, L"恢复前的收藏夹已另存到 DailyBackup 文件夹：\n",
                       q.daily, "backup 2"),
              L"-");
    RemoveTree(q.backup);
    MakeLink(q.backup, p.backup);
    DeleteFileW(q.favorites.c_str());
    WriteBytes(q.favorites, "saved nowhere");
    q.profile.SetWritesConfined(true);
    EXPECT_TRUE(
        q.Restore(L"Favorite2.dat.old", BackupFolderKind::Backup).text.starts_with(L"收藏夹文件夹里有指向别处的链接"));
    EXPECT_EQ(ReadBytes(q.favorites), "saved nowhere");
    EXPECT_EQ(ListNames(p.backup), Names{L"Favorite2.dat.old"});
}

// Temporary files are cleared only where they are the tool's own, hidden and named exactly so, and their maker has
// ended: one that still runs may be about to rename its file; a visible look-alike is the user's. What a run killed
// between its rename and the clearing of the hidden attribute left hidden (the favorites, a kept copy) is made plain.
TEST(RestoreFavorites, ClearsOnlyItsOwnTemporariesAndMendsWhatAKillLeftHidden) {
    const Fixture p;
    WriteBytes(p.favorites, "mine");
    const auto temporaryOf = [](const HelperProcess& maker, const wchar_t* tick = L"1") {
        return L"~quillbarrow-" + std::to_wstring(GetProcessId(maker.Handle())) + L'-' + tick + L"-0.tmp";
    };
    const HelperProcess other = HelperProcess::Start({});
    HelperProcess ended = HelperProcess::Start({});
    const std::wstring inUse = temporaryOf(other), leftOver = temporaryOf(ended), lookAlike = temporaryOf(ended, L"2"),
                       malformed = temporaryOf(ended, L"x"), emptyLeftOver = temporaryOf(ended, L"3");
    ended.Stop();
    for (const std::wstring& name : {inUse, leftOver, malformed})
        WriteHidden(p.folder + L'\\' + name, "partial copy");
    WriteBytes(p.folder + L'\\' + lookAlike, "the user's");
    // Visible, but empty: a run killed as it made the file, before it was hidden. It holds nothing.
    WriteBytes(p.folder + L'\\' + emptyLeftOver, "");
    const std::wstring keptHidden = p.daily + L"\\Favorite2.dat.2026.12.07.14.05.33",
                       userHidden = p.daily + L"\\Favorite2.dat.mine";
    WriteHidden(keptHidden, "kept");
    WriteHidden(userHidden, "hidden by the user");
    SetFileAttributesW(p.favorites.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(p.Restore(L"Favorite2.dat.1"), kRestoredNotice);
    Names kept{inUse, lookAlike, malformed};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Temporaries(p.folder), kept);
    EXPECT_EQ(Attributes(p.favorites) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Attributes(keptHidden) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_NE(Attributes(userHidden) & FILE_ATTRIBUTE_HIDDEN, 0u);

    // An undo that ended after putting the undo copy aside, before deleting it, leaves only that temporary: the next
    // undo has nothing to undo but still clears it.
    EXPECT_EQ(p.Undo(), kUndoneNotice);
    WriteHidden(p.folder + L'\\' + leftOver, "undo copy put aside");
    EXPECT_EQ(p.Undo(), kNothingToUndoNotice);
    EXPECT_EQ(Temporaries(p.folder), kept);
}

// Each backup's facts: how it stands next to the favorites and the other backups, and whether it is damaged where the
// profile's own format is known; what is known follows a file that changes, and a file that cannot be read is no
// fact. A restore decides "identical" and "damaged" from what it reads at that moment, and stops where it cannot read.
TEST(RestoreFavorites, KnowsEachBackupFromWhatCouldBeRead) {
    const Fixture p;
    const std::string favorites = Database(10, 1), smaller = Database(4, 2);
    WriteBytes(p.favorites, favorites);
    const wchar_t* const names[] = {L"Favorite2.dat.2012.02.27.21", L"Favorite2.dat.2012.02.27.22",
                                    L"Favorite2.dat.2012.02.27.23", L"Favorite2.dat.2012.02.30.00"};
    WriteBytes(p.daily + L'\\' + names[0], favorites);
    WriteBytes(p.daily + L'\\' + names[1], smaller);
    WriteBytes(p.daily + L'\\' + names[2], smaller);
    WriteBytes(p.daily + L'\\' + names[3], Database(4, 3).substr(0, 4000));
    FileReads reads;
    const auto facts = [&](const wchar_t* name) { return WorkOutFacts({p.profile, p.daily, name}, reads); };
    EXPECT_EQ(facts(names[0]).favorites, FavoritesMatch::Same);
    EXPECT_EQ(facts(names[0]).namedTime->time.hour, 21);
    EXPECT_EQ(facts(names[1]).sameAs, Names{names[2]});
    EXPECT_FALSE(facts(names[1]).damaged);
    // The 30th of February is no time: the file's own tells it.
    EXPECT_TRUE(facts(names[3]).damaged && !facts(names[3]).namedTime && facts(names[3]).lastWrite != 0);
    // What is known follows the file: a copy written over anew is compared anew.
    WriteBytes(p.daily + L'\\' + names[2], Database(12, 4));
    EXPECT_EQ(facts(names[1]).sameAs, Names{});

    // Held by another program when first looked at, a file is no fact, and the next look reads it again.
    FileReads firstLook;
    const auto firstFacts = [&](const wchar_t* name) { return WorkOutFacts({p.profile, p.daily, name}, firstLook); };
    {
        const HelperProcess holder = HoldFile(p.daily + L'\\' + names[0], L"none");
        EXPECT_EQ(firstFacts(names[0]).unreadable, L"另一个程序正在使用它");
        const HelperProcess favoritesHolder = HoldFile(p.favorites, L"none");
        EXPECT_EQ(firstFacts(names[1]).favorites, FavoritesMatch::Different);
        EXPECT_EQ(firstFacts(names[3]).favorites, FavoritesMatch::Unread);
        EXPECT_EQ(firstFacts(names[3]).favoritesUnreadable, L"另一个程序正在使用它");
        // A restore stops with the reason where what it must read is held.
        EXPECT_EQ(p.Restore(names[3]), Failure(texts::kReadFavoritesFailed));
    }
    EXPECT_EQ(firstFacts(names[0]).favorites, FavoritesMatch::Same);
    EXPECT_TRUE(firstFacts(names[3]).damaged);

    EXPECT_EQ(p.Restore(names[0]), InformationNotice(texts::kBackupIsCurrent));
    EXPECT_EQ(p.Restore(names[3]),
              QuestionNotice(L"所选备份文件不完整或已损坏，\n恢复后浏览器可能读不出收藏夹。\n仍要恢复吗？"));
    EXPECT_EQ(ListNames(p.folder), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
    {
        const HelperProcess holder = HoldFile(p.daily + L'\\' + names[1], L"none");
        EXPECT_EQ(p.Restore(names[1]), Failure(texts::kReadBackupFailed));
    }
    EXPECT_EQ(p.Restore(names[3], BackupFolderKind::DailyBackup, true), kRestoredNotice);
    EXPECT_EQ(ReadBytes(p.undo), favorites);

    // Where the favorites have no clear header, a backup without one is not damaged, whatever other backups have;
    // without favorites, the format most backups share decides.
    const Fixture mixed;
    WriteBytes(mixed.favorites, "favorites of another format");
    WriteBytes(mixed.daily + L"\\Favorite2.dat.0", Database(4, 5));
    FileReads mixedReads;
    EXPECT_FALSE(WorkOutFacts({mixed.profile, mixed.daily, L"Favorite2.dat.1"}, mixedReads).damaged);
    EXPECT_EQ(mixed.Restore(L"Favorite2.dat.1"), kRestoredNotice);
    DeleteFileW(mixed.favorites.c_str());
    WriteBytes(mixed.daily + L"\\Favorite2.dat.3", Database(4, 6));
    EXPECT_FALSE(WorkOutFacts({mixed.profile, mixed.daily, L"Favorite2.dat.1"}, mixedReads).damaged);
    WriteBytes(mixed.daily + L"\\Favorite2.dat.4", Database(4, 7));
    EXPECT_TRUE(WorkOutFacts({mixed.profile, mixed.daily, L"Favorite2.dat.1"}, mixedReads).damaged);
}
