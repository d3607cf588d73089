// Restore and undo under faults: killed in mid-operation, two copies of the tool on one profile, a full disk, files
// held by other processes, unusual names, and thousands of random steps checked against a model.
#include "filesystem/file_exists.h"
#include "messages/system_error.h"
#include "profile/restore.h"
#include "test_support.h"
#include "win32/environment.h"

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
// the favorites and the undo copy hold; the world around them: the browser, held files, read-only favorites, a full
// disk (where tmpfs.sh could mount its small file system).
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

    // Restores backup `backup`, or undoes when it is 0, while another process holds file `held` (0: the favorites, 1:
    // the undo copy, 2: the backup, other: none) for 100 ms or, if `lasting`, to the end. Checks the notice and the
    // files against the model, and returns the notice.
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
        const Notice notice = restore ? RestoreFavorites(profile, BackupFolderKind::DailyBackup, kBackupNames[backup])
                                      : UndoRestore(profile, BackupFolderKind::DailyBackup);
        // What the user must read (a failure with its reason where a holder is the cause, or a success that kept the
        // favorites: its first words), with the model brought up to date.
        bool keptNow = false, heldCause = false;
        const Notice expected = [&] {
            const auto failed = [&](const wchar_t* lead, bool byHolder) {
                heldCause = byHolder;
                return ErrorNotice(lead);
            };
            if (browser) return kBrowserRunningNotice;
            if (restore && !present[backup])
                return ErrorNotice(L"所选的备份文件已经不在了，\n可能被删除或移走了。请重新选择。");
            // A restore reads the backup, and the favorites it compares it with, as they are now.
            if (restore && blocks(2, false)) return failed(texts::kReadBackupFailed, true);
            if (restore && blocks(0, false)) return failed(texts::kReadFavoritesFailed, true);
            if (restore && inFavorites == backup) return InformationNotice(texts::kBackupIsCurrent);
            if (!restore && inUndo == kNone) return kNothingToUndoNotice;
            if (restore && inUndo == kNone && full) return failed(texts::kSaveUndoCopyFailed, false);
            if (restore && inUndo == kNone) inUndo = inFavorites;
            // Favorites saved nowhere else are kept first, by a restore over an older undo copy and by an undo.
            // Backups 1 and 3 are listed (present or moved aside under a listed name); the hidden backup 2 is not.
            else if (!SavedElsewhere(backup, blocks)) {
                if (full || blocks(0, false))
                    return failed(restore ? texts::kKeepFavoritesFailed : texts::kKeepBeforeUndoFailed, !full);
                keptNow = kept[inFavorites] = true;
            }
            if (readOnly || full || blocks(0, true) || (!restore && blocks(1, false))) {
                return failed(restore ? texts::kRestoreBackupFailed : texts::kRestoreUndoCopyFailed,
                              !readOnly && !full);
            }
            inFavorites = restore ? backup : inUndo;
            // A holder that shares deletion does not keep the undo copy from going; the favorites are back all the
            // same, which is a notice, not an error.
            if (!restore && blocks(1, share != L"all")) {
                heldCause = true;
                return WarningNotice(texts::kDeleteUndoCopyFailed);
            }
            if (!restore) inUndo = kNone;
            if (keptNow) return InformationNotice(restore ? kKeptNotice : kKeptBeforeUndoNotice);
            return restore ? kRestoredNotice : kUndoneNotice;
        }();
        // An undo copy deleted while held with delete sharing must free its name at once, for the next restore.
        EXPECT_EQ(FileExists(undo), inUndo != kNone);
        holder.reset();
        const bool failure = expected.icon == NoticeIcon::Error && expected != kBrowserRunningNotice &&
                             !expected.text.starts_with(L"所选的备份");
        if (heldCause) {
            EXPECT_EQ(notice,
                      (Notice{expected.text + texts::kReason + texts::kFileInUse, expected.caption, expected.icon}));
        } else {
            EXPECT_TRUE(notice == expected || (failure && IsFailure(notice, expected.text)) ||
                        (keptNow && notice.icon == expected.icon && notice.text.starts_with(expected.text)))
                << testing::PrintToString(notice);
        }
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
        EXPECT_EQ(ListNames(folder).size(), inUndo == kNone ? 2u : 3u);
        EXPECT_EQ(Attributes(favorites) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
                  readOnly ? FILE_ATTRIBUTE_READONLY : 0u);
    }

    const std::wstring mounted = MountedFolder(L"QB_TMPFS");
    const TempFolder root{L"qb-reliability", mounted}, browserFolder{L"qb-browser"};
    const std::wstring folder = root / L"用户 😀 with spaces\\AppData\\Roaming\\sogouexplorer";
    const Profile profile = PlainProfile(folder);
    const std::wstring daily = folder + L"\\DailyBackup";
    const std::wstring favorites = folder + L"\\Favorite2.dat", undo = folder + L"\\Favorite2Backup.dat";
    // Contents 0: the first favorites, 1 to 3: the backups. The model: which content each file holds.
    const std::string contents[4] = {Pattern(1000, 1), Pattern(8000, 2), Pattern(15000, 3), Pattern(22000, 4)};
    int inFavorites = 0, inUndo = kNone;
    bool present[4] = {true, true, true, true}, readOnly = false, full = false;
    bool kept[4] = {};  // which contents a restore kept as new backup copies
    std::optional<HelperProcess> browser;
    UniqueFileHandle filler;
};

// qb_crash_runner restoring the profile's DailyBackup `backup`, or undoing without one, once its operation has begun.
HelperProcess StartCrashRunner(const std::wstring& folder, const wchar_t* backup = nullptr) {
    const std::wstring runner = TestBinaryFolder() + L"\\qb_crash_runner.exe";
    return backup ? HelperProcess::StartAs(runner, {folder, backup}, runner)
                  : HelperProcess::StartAs(runner, {folder}, runner);
}

std::string Label(const std::optional<std::string>& bytes, const std::string& old, const std::string& backup) {
    return !bytes ? "-" : bytes == old ? "old" : bytes == backup ? "backup" : "other";
}

}  // namespace

// Restore and undo of large files, taking turns, killed at random moments in another process: each file stays whole,
// the old favorites survive in one of them, and running the operation again finishes the work and leaves the
// favorites plain, also after a kill between a copy's rename and the clearing of its hidden attribute.
TEST(CrashTest, RestoreAndUndoKilledAtAnyMomentLeaveWholeFilesAndFinishWhenRunAgain) {
    constexpr int kRuns = 60;  // of each; the first runs whole, to time it
    const std::string old = Pattern(32 << 20, 1), backup = Pattern(28 << 20, 2);
    const TempFolder profile(L"qb-crash");
    MakeFolders(profile / L"DailyBackup");
    WriteBytes(profile / L"DailyBackup\\Favorite2.dat.1", backup);
    WriteBytes(profile / L"Favorite2.dat", old);
    const Profile plain = PlainProfile(profile.Path());
    const auto state = [&] {
        return Label(ReadBytes(profile / L"Favorite2.dat"), old, backup) + ' ' +
               Label(ReadBytes(profile / L"Favorite2Backup.dat"), old, backup);
    };
    int durationMs[2], kills[2] = {}, violations[2] = {};
    std::mt19937 random{std::random_device{}()};
    for (int run = 0; run < 2 * kRuns; ++run) {
        const bool undo = run % 2;
        const char* name = undo ? "undo" : "restore";
        HelperProcess runner = StartCrashRunner(profile.Path(), undo ? nullptr : L"Favorite2.dat.1");
        // The kills follow the pace of the last whole run.
        if (run >= 2) {
            Sleep(std::uniform_int_distribution(0, durationMs[undo])(random));
            TerminateProcess(runner.Handle(), kKilled);
        }
        const DWORD code = runner.ExitCode();
        ASSERT_LE(code, kKilled) << name << " in qb_crash_runner failed: " << code;
        if (code < kKilled) durationMs[undo] = static_cast<int>(code);
        kills[undo] += code == kKilled;
        const std::string left = state();
        const bool whole = left == "old -" || left == "old old" || left == "backup old";
        violations[undo] += !whole;
        EXPECT_TRUE(whole) << name << " killed in run " << run << " left " << left;
        EXPECT_EQ((undo ? UndoRestore(plain, BackupFolderKind::DailyBackup)
                        : RestoreFavorites(plain, BackupFolderKind::DailyBackup, L"Favorite2.dat.1"))
                      .icon,
                  NoticeIcon::Information);
        EXPECT_EQ(state(), undo ? "old -" : "backup old") << name << " run again after run " << run;
        EXPECT_EQ(Attributes(profile / L"Favorite2.dat") & FILE_ATTRIBUTE_HIDDEN, 0u) << name << " after run " << run;
        EXPECT_EQ(Temporaries(profile.Path()), Names{});
        if (run < 2 * kRuns - 2) continue;
        std::printf("%s killed at random moments: %d runs, %d kills, %d violations\n", name, kRuns, kills[undo],
                    violations[undo]);
        EXPECT_GE(kills[undo], kRuns / 4) << name << ": most runs ended before the kill";
    }
}

// The undo copy holds the only copy of the original favorites. One copy of the tool restores a backup whose copy takes
// a while (held half a second by a scanner, or large), another undoes meanwhile: one waits for the other's lock, or
// says that another copy works on these favorites and changes nothing. The originals are never lost.
TEST(TwoCopiesTest, ARestoreAndAnUndoAtOnceLoseNothing) {
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "a large backup" : "a held backup");
        const TempFolder profile(L"qb-race");
        const std::wstring daily = profile / L"DailyBackup";
        MakeFolders(daily);
        const std::string originals = Pattern(3000, 9);
        WriteBytes(profile / L"Favorite2.dat", originals);
        WriteBytes(daily + L"\\Favorite2.dat.1", "restored first");
        if (large) {
            WriteSparse(daily + L"\\Favorite2.dat.2", 128 << 20, 'x');
        } else {
            WriteBytes(daily + L"\\Favorite2.dat.2", "restored meanwhile");
        }
        ASSERT_EQ(RestoreFavorites(PlainProfile(profile.Path()), BackupFolderKind::DailyBackup, L"Favorite2.dat.1"),
                  kRestoredNotice);
        std::optional<HelperProcess> scanner;
        if (!large) scanner.emplace(HoldFile(daily + L"\\Favorite2.dat.2", L"none", 500));
        const HelperProcess restore = StartCrashRunner(profile.Path(), L"Favorite2.dat.2");
        const HelperProcess undo = StartCrashRunner(profile.Path());
        const DWORD restored = restore.ExitCode(), undone = undo.ExitCode();
        EXPECT_LT(restored, kKilled);
        bool kept = false;
        for (const std::wstring& path : {profile / L"Favorite2.dat", profile / L"Favorite2Backup.dat"}) {
            kept = kept || ReadBytes(path) == originals;
        }
        for (const std::wstring& name : ListNames(daily))
            kept = kept || ReadBytes(daily + L'\\' + name) == originals;
        EXPECT_TRUE(kept) << "the original favorites are in no file";
        // An undo that says it is done has put the originals back, whichever came first.
        if (undone < kKilled) {
            EXPECT_TRUE(ReadBytes(profile / L"Favorite2.dat") == originals ||
                        ReadBytes(profile / L"Favorite2Backup.dat") == originals);
        }
    }
}

// A copy that finds another at work on the profile waits a moment, then says so and changes nothing; the lock of a
// copy that was killed is taken over at once.
TEST(TwoCopiesTest, OneOperationAtATimePerProfileAndAKilledCopysLockTakenOver) {
    const TempFolder profile(L"qb-lock");
    MakeFolders(profile / L"DailyBackup");
    WriteBytes(profile / L"DailyBackup\\Favorite2.dat.1", "one");
    WriteBytes(profile / L"DailyBackup\\Favorite2.dat.2", "two");
    WriteBytes(profile / L"Favorite2.dat", "mine");
    const Profile plain = PlainProfile(profile.Path());
    HelperProcess runner = StartCrashRunner(profile.Path(), L"--lock");
    EXPECT_EQ(RestoreFavorites(plain, BackupFolderKind::DailyBackup, L"Favorite2.dat.1"),
              ErrorNotice(texts::kAnotherCopyWorking));
    EXPECT_EQ(UndoRestore(plain, BackupFolderKind::DailyBackup), ErrorNotice(texts::kAnotherCopyWorking));
    EXPECT_EQ(ListNames(profile.Path()), (Names{L"DailyBackup", L"Favorite2.dat"}));
    runner.Stop();
    const ULONGLONG before = GetTickCount64();
    EXPECT_EQ(RestoreFavorites(plain, BackupFolderKind::DailyBackup, L"Favorite2.dat.1"), kRestoredNotice);
    EXPECT_LT(GetTickCount64() - before, kProfileLockWaitMs);
}

// No room on the disk, first for the undo copy, then (with one saved) for the backup: the user reads what failed and
// that the disk is full; the files stay as they were, and no temporary file is left.
TEST_F(Reliability, FullDiskRestoreFailsWithTheFilesWhole) {
    if (mounted.empty()) GTEST_SKIP() << "no small file system could be mounted here, so no disk can be filled";
    SetFull(true);
    EXPECT_EQ(Operate(3), Failure(texts::kSaveUndoCopyFailed, SystemErrorText(ERROR_DISK_FULL)));
    SetFull(false);
    Operate(1);
    SetFull(true);
    EXPECT_EQ(Operate(3), Failure(texts::kRestoreBackupFailed, SystemErrorText(ERROR_DISK_FULL)));
}

// Each file held with each sharing, for a restore that saves the undo copy and for an undo: a hold of 100 ms is
// outlasted; one that lasts gives the failure message, saying that another program uses the file, with the files
// whole, where that sharing hinders.
TEST_F(Reliability, HeldFilesAreOutlastedOrSaidToBeInUse) {
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

// Thousands of random steps: restores of random backups and undos (a few with a file held), the browser starting and
// ending, backups deleted and back, read-only favorites, a full disk.
TEST_F(Reliability, RandomSequenceFollowsTheModel) {
    const std::wstring seedText = EnvironmentVariable(L"QB_RANDOM_SEED");
    const std::uint32_t seed = seedText.empty() ? std::random_device{}() : std::stoul(seedText);
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
