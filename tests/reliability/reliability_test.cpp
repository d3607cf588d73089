// Restore and undo under faults: killed in mid-operation, a full disk, files held by other processes, unusual
// names, and thousands of random steps checked against a model.
#include "common/environment.h"
#include "common/file_exists.h"
#include "common/system_error.h"
#include "restore/restore.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace {

constexpr int kNone = -1;
constexpr DWORD kKilled = 1000000;  // the exit code of a killed qb_crash_runner
const wchar_t* const kShares[] = {L"none", L"read", L"all"};
// Backups 1 to 3 (0 stands for undo). Every name stays below 255 bytes in UTF-8, the limit under Wine.
const std::wstring kBackupNames[] = {L"", L"Favorite2.dat.2012.02.27.22 副本", L"Favorite2.dat.🙂🙃𠀀𝄞",
                                     L"Favorite2 .dat. " + std::wstring(220, L'x')};

// A profile under a user folder of an unusual name, with three backups (one read-only, one hidden); a model of what
// the favorites and the undo copy hold; the world around them: the browser, held files, read-only favorites, a
// full disk (where tmpfs.sh could mount its small file system).
class Reliability : public testing::Test {
protected:
    Reliability() {
        MakeFolders(daily);
        for (int i = 0; i < 4; ++i)
            WriteBytes(i == 0 ? favorites : BackupPath(i), contents[i]);
        SetFileAttributesW(BackupPath(1).c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesW(BackupPath(2).c_str(), FILE_ATTRIBUTE_HIDDEN);
    }

    std::wstring BackupPath(int backup) const { return daily + L'\\' + kBackupNames[backup]; }
    void SetFull(bool value) { filler = (full = value) ? FillDisk(root.Path()) : UniqueFileHandle{}; }

    // Restores backup `backup`, or undoes when it is 0, while another process holds file `held` (0: the favorites,
    // 1: the undo copy, 2: the backup, other: none) for 100 ms or, if `lasting`, to the end. Checks the notice and
    // the files against the model, and returns the notice.
    Notice Operate(int backup, int held = kNone, const std::wstring& share = L"none", bool lasting = false) {
        const bool restore = backup != 0;
        SCOPED_TRACE((restore ? "restore " + std::to_string(backup) : std::string("undo")) + ", file " +
                     std::to_string(held) + " held sharing " + Utf8(share) + (lasting ? " to the end" : ""));
        const std::wstring heldPath = held == 0 ? favorites : held == 1 ? undo : held == 2 ? BackupPath(backup) : L"";
        std::optional<HelperProcess> holder;
        if (FileExists(heldPath)) holder.emplace(HoldFile(heldPath, share.c_str(), lasting ? 0 : 100));
        const auto blocks = [&, lastingHold = holder && lasting](int file, bool anyShare) {
            return lastingHold && held == file && (anyShare || share == L"none");
        };
        if (filler) FillUp(filler.Get());  // takes back the room that deleted files gave
        const Notice notice = restore ? Restore(source, kBackupNames[backup]) : UndoRestore(source);
        // What the user must read (a failure, or a success that kept the favorites: its first words), with the
        // model brought up to date.
        bool keptNow = false;
        const Notice expected = [&] {
            if (browser) return kBrowserRunningNotice;
            if (restore && !present[backup]) return kNothingSelectedNotice;
            // A backup that holds the favorites' very bytes, as far as both can be read, is not restored.
            if (restore && inFavorites == backup && !blocks(0, false) && !blocks(2, false))
                return kBackupIsCurrentNotice;
            if (!restore && inUndo == kNone) return kNothingToUndoNotice;
            if (restore && inUndo == kNone && (full || blocks(0, false))) return ErrorNotice(kSaveUndoCopyFailed);
            if (restore && inUndo == kNone) inUndo = inFavorites;
            // Favorites saved nowhere else are kept first, by a restore over an older undo copy and by an undo.
            // Backups 1 and 3 are listed (present or moved aside under a listed name); the hidden backup 2 is not.
            else if (!SavedElsewhere(backup, blocks)) {
                if (full || blocks(0, false))
                    return ErrorNotice(restore ? kKeepFavoritesFailed : kKeepBeforeUndoFailed);
                keptNow = kept[inFavorites] = true;
            }
            if (readOnly || full || blocks(0, true) || blocks(restore ? 2 : 1, false))
                return ErrorNotice(restore ? kRestoreBackupFailed : kRestoreUndoCopyFailed);
            inFavorites = restore ? backup : inUndo;
            // A holder that shares deletion does not keep the undo copy from going.
            if (!restore && blocks(1, share != L"all")) return ErrorNotice(kDeleteUndoCopyFailed);
            if (!restore) inUndo = kNone;
            if (keptNow) return InformationNotice(restore ? kFavoritesKeptNotice : kFavoritesKeptBeforeUndoNotice);
            return restore ? kRestoredNotice : kUndoneNotice;
        }();
        // An undo copy deleted while held with delete sharing must free its name at once, for the next restore.
        EXPECT_EQ(FileExists(undo), inUndo != kNone);
        holder.reset();
        EXPECT_TRUE(notice == expected || IsFailure(notice, expected.text) ||
                    (keptNow && notice.icon == expected.icon && notice.text.starts_with(expected.text)))
            << testing::PrintToString(notice);
        Check();
        return notice;
    }

    // Whether the favorites are saved as the undo copy or a listed backup copy, as far as those can be read while
    // restoring `backup`.
    template <class Blocks>
    bool SavedElsewhere(int backup, const Blocks& blocks) const {
        const int c = inFavorites;
        if (blocks(0, false)) return false;
        return (c == inUndo && !blocks(1, false)) || ((c == 1 || c == 3) && (c != backup || !blocks(2, false))) ||
               kept[c];
    }

    // The files as the model says, the favorites plain (or read-only as made), and no temporary file left.
    void Check() const {
        EXPECT_TRUE(ReadBytes(favorites) == contents[inFavorites]) << "the favorites should hold " << inFavorites;
        EXPECT_TRUE(ReadBytes(undo) == (inUndo == kNone ? std::nullopt : std::optional(contents[inUndo]))) << inUndo;
        EXPECT_EQ(ListNames(profile).size(), inUndo == kNone ? 2u : 3u);
        EXPECT_EQ(GetFileAttributesW(favorites.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
                  readOnly ? FILE_ATTRIBUTE_READONLY : 0u);
    }

    const std::wstring mounted = MountedFolder(L"QB_TMPFS");
    const TempFolder root{L"qb-reliability", mounted}, browserFolder{L"qb-browser"};
    const AppDataScope appData{root / L"用户 😀 with spaces\\AppData\\Roaming"};
    const std::wstring profile = SharedProfileFolder(), daily = profile + L"\\DailyBackup";
    const BackupSource source{profile, BackupFolderKind::DailyBackup};
    const std::wstring favorites = profile + L"\\Favorite2.dat", undo = profile + L"\\Favorite2Backup.dat";
    // Contents 0: the first favorites, 1 to 3: the backups. The model: which content each file holds.
    const std::string contents[4] = {Pattern(1000, 1), Pattern(8000, 2), Pattern(15000, 3), Pattern(22000, 4)};
    int inFavorites = 0, inUndo = kNone;
    bool present[4] = {true, true, true, true}, readOnly = false, full = false;
    bool kept[4] = {};  // which contents a restore kept as new backup copies
    std::optional<HelperProcess> browser;
    UniqueFileHandle filler;
};

// qb_crash_runner restoring the profile's DailyBackup `backup`, or undoing without one; `ready` names the event it
// sets as its operation begins.
HelperProcess StartCrashRunner(const std::wstring& ready, const std::wstring& profile, const wchar_t* backup) {
    const std::wstring runner = TestBinaryFolder() + L"\\qb_crash_runner.exe";
    return backup ? HelperProcess::StartAs(runner, {ready, profile, backup}, runner)
                  : HelperProcess::StartAs(runner, {ready, profile}, runner);
}

// Runs qb_crash_runner and, unless killAfterMs is negative, kills it that far into its operation, as a crash
// would. Its exit code: kKilled when killed in time, ~0 when it does not end.
DWORD RunCrashRunner(const std::wstring& profile, const wchar_t* backup, int killAfterMs) {
    // A name of its own for each run: a killed runner's handle may keep the last run's event, already set.
    static unsigned runs = 0;
    const std::wstring eventName =
        L"qb-crash-" + std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(runs++);
    const UniqueKernelHandle ready{CreateEventW(nullptr, TRUE, FALSE, eventName.c_str())};
    const HelperProcess run = StartCrashRunner(eventName, profile, backup);
    const HANDLE waits[] = {ready.Get(), run.Handle()};
    if (killAfterMs >= 0 && WaitForMultipleObjects(2, waits, FALSE, 60000) == WAIT_OBJECT_0) {
        Sleep(killAfterMs);
        TerminateProcess(run.Handle(), kKilled);
    }
    DWORD code = ~0u;
    if (WaitForSingleObject(run.Handle(), 60000) == WAIT_OBJECT_0) GetExitCodeProcess(run.Handle(), &code);
    return code;
}

}  // namespace

// Restore and undo of large files, taking turns, killed at random moments in another process: each file stays
// whole, the old favorites survive in one of them, and running the operation again finishes the work.
TEST(CrashTest, RestoreAndUndoKilledAtAnyMomentLeaveWholeFilesAndFinishWhenRunAgain) {
    constexpr int kRuns = 60;  // of each; the first runs whole, to time it
    const std::string old = Pattern(32 << 20, 1), backup = Pattern(28 << 20, 2);
    const TempFolder profile(L"qb-crash");
    const std::wstring daily = profile / L"DailyBackup";
    const BackupSource source{profile.Path(), BackupFolderKind::DailyBackup};
    MakeFolders(daily);
    WriteBytes(daily + L"\\Favorite2.dat.1", backup);
    WriteBytes(profile / L"Favorite2.dat", old);
    const auto label = [&](const std::wstring& name) {
        const auto bytes = ReadBytes(profile / name);
        return std::string(!bytes ? "-" : bytes == old ? "old" : bytes == backup ? "backup" : "other");
    };
    const auto state = [&] { return label(L"Favorite2.dat") + ' ' + label(L"Favorite2Backup.dat"); };
    int durationMs[2], kills[2] = {}, violations[2] = {};
    std::mt19937 random{std::random_device{}()};
    for (int run = 0; run < 2 * kRuns; ++run) {
        const bool undo = run % 2;
        const char* name = undo ? "undo" : "restore";
        const int killAfterMs = run < 2 ? -1 : std::uniform_int_distribution(0, durationMs[undo])(random);
        const DWORD code = RunCrashRunner(profile.Path(), undo ? nullptr : L"Favorite2.dat.1", killAfterMs);
        ASSERT_LE(code, kKilled) << name << " in qb_crash_runner failed: " << code;
        // The kills follow the pace of the last whole run.
        if (code < kKilled) durationMs[undo] = static_cast<int>(code);
        kills[undo] += code == kKilled;
        const std::string left = state();
        const bool whole = left == "old -" || left == "old old" || left == "backup old";
        violations[undo] += !whole;
        EXPECT_TRUE(whole) << name << " killed in run " << run << " left " << left;
        EXPECT_EQ((undo ? UndoRestore(source) : Restore(source, L"Favorite2.dat.1")).icon,
                  NoticeIcon::Information);
        EXPECT_EQ(state(), undo ? "old -" : "backup old") << name << " run again after run " << run;
        EXPECT_EQ(Temporaries(profile.Path()), std::vector<std::wstring>{});
        if (run < 2 * kRuns - 2) continue;
        std::printf("%s killed at random moments: %d runs, %d kills, %d violations\n", name, kRuns, kills[undo],
                    violations[undo]);
        EXPECT_GE(kills[undo], kRuns / 4) << name << ": most runs ended before the kill";
    }
}

// Two copies of the tool restoring into one profile at the same moments: each finds the other's temporary file
// while cleaning up, and neither may take it away before its rename. Each run succeeds, with the files whole.
TEST(TwoCopiesTest, RestoringInOneFolderAtOnceBothSucceed) {
    constexpr int kRounds = 15;
    const TempFolder profile(L"qb-two");
    const std::wstring daily = profile / L"DailyBackup";
    const BackupSource source{profile.Path(), BackupFolderKind::DailyBackup};
    MakeFolders(daily);
    // Two backups, one for each copy of the tool, so that every round writes the favorites.
    const std::string backups[] = {Pattern(4 << 20, 1), Pattern(4 << 20, 2)};
    const wchar_t* const names[] = {L"Favorite2.dat.1", L"Favorite2.dat.2"};
    for (int i = 0; i < 2; ++i) WriteBytes(daily + L'\\' + names[i], backups[i]);
    WriteBytes(profile / L"Favorite2.dat", "old");
    ASSERT_EQ(Restore(source, names[0]).icon, NoticeIcon::Information);
    int failures = 0;
    for (int round = 0; round < kRounds; ++round) {
        const HelperProcess runs[] = {StartCrashRunner(L"-", profile.Path(), names[round % 2]),
                                      StartCrashRunner(L"-", profile.Path(), names[1 - round % 2])};
        for (const HelperProcess& run : runs) {
            DWORD code = kKilled;
            ASSERT_EQ(WaitForSingleObject(run.Handle(), 60000), WAIT_OBJECT_0);
            GetExitCodeProcess(run.Handle(), &code);
            failures += code >= kKilled;
        }
    }
    EXPECT_EQ(failures, 0) << "of " << 2 * kRounds << " runs";
    const auto favorites = ReadBytes(profile / L"Favorite2.dat");
    EXPECT_TRUE(favorites == backups[0] || favorites == backups[1]);
    EXPECT_EQ(ReadBytes(profile / L"Favorite2Backup.dat"), "old");
    EXPECT_EQ(Temporaries(profile.Path()), std::vector<std::wstring>{});
    EXPECT_EQ(ListNames(daily).size(), 2u);
}

// No room on the disk, first for the undo copy, then (with one saved) for the backup: the user reads what failed
// and that the disk is full; the files stay as they were, and no temporary file is left.
TEST_F(Reliability, FullDiskRestoreFailsWithTheFilesWhole) {
    if (mounted.empty()) GTEST_SKIP() << "no small file system could be mounted here, so no disk can be filled";
    SetFull(true);
    EXPECT_EQ(Operate(3), ErrorNotice(kSaveUndoCopyFailed + SystemErrorText(ERROR_DISK_FULL)));
    SetFull(false);
    Operate(1);
    SetFull(true);
    EXPECT_EQ(Operate(3), ErrorNotice(kRestoreBackupFailed + SystemErrorText(ERROR_DISK_FULL)));
}

// Each file held with each sharing, for a restore that saves the undo copy and for an undo: a hold of 100 ms is
// outlasted; one that lasts gives the failure message with the files whole, where that sharing hinders.
TEST_F(Reliability, HeldFilesAreOutlastedOrGiveTheFailureMessage) {
    for (int held = 0; held < 3; ++held)
        for (const wchar_t* share : kShares)
            for (const bool lasting : {false, true}) {
                Operate(0);
                Operate(3, held, share, lasting);
                Operate(1);
                Operate(0, held, share, lasting);
            }
}

// Backups of unusual names, read-only or hidden, under a user folder of an unusual name: restored as plain files.
TEST_F(Reliability, UnusualNamesRestoreAndUndo) {
    for (int backup = 1; backup <= 3; ++backup) {
        EXPECT_EQ(Operate(backup), kRestoredNotice);
        // The hidden backup 2 is not listed: an undo over it keeps it first.
        EXPECT_EQ(Operate(0).icon, NoticeIcon::Information);
    }
}

// Thousands of random steps: restores of random backups and undos (a few with a file held), the browser starting
// and ending, backups deleted and back, read-only favorites, a full disk.
TEST_F(Reliability, RandomSequenceFollowsTheModel) {
    const std::uint32_t seed = NumberFromEnvironment(L"QB_RANDOM_SEED", std::random_device{}());
    std::mt19937 random{seed};
    const auto pick = [&](int count) { return std::uniform_int_distribution(0, count - 1)(random); };
    int step = 0, counts[5] = {};
    while (++step <= 3000 && !HasFailure()) {
        SCOPED_TRACE("step " + std::to_string(step) + " of the run with QB_RANDOM_SEED=" + std::to_string(seed));
        const int kind = std::discrete_distribution({60.0, 3.0, 3.0, 2.0, mounted.empty() ? 0.0 : 2.0})(random);
        const int toggled = 1 + pick(3);
        ++counts[kind];
        if (kind == 0) Operate(pick(4), pick(30), kShares[pick(3)], pick(5) == 0);  // mostly with no file held
        if (kind == 1)
            browser = browser ? std::nullopt
                              : std::optional(HelperProcess::StartAs(browserFolder / L"SogouExplorer.exe", {}));
        if (kind == 2) {
            const std::wstring path = BackupPath(toggled), away = path + L".away";
            present[toggled] = !present[toggled];
            MoveFileW((present[toggled] ? away : path).c_str(), (present[toggled] ? path : away).c_str());
        }
        if (kind == 3)
            SetFileAttributesW(favorites.c_str(),
                               (readOnly = !readOnly) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        if (kind == 4) SetFull(!full);
        Check();
    }
    std::printf("%d random steps: %d restores or undos, %d browser, %d backup, %d read-only and %d disk-full changes\n",
                step - 1, counts[0], counts[1], counts[2], counts[3], counts[4]);
}
