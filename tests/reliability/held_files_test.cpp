// The favorites, the undo copy and the backup copy held open by another process with each kind of sharing,
// for a moment (as virus scanners and indexers do) or for long: brief holds go unnoticed, long ones end in
// the failure message with both files whole, and the user's next try after the hold succeeds.
#include "common/file_exists.h"
#include "reliability_support.h"
#include "restore/restore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr wchar_t kFirstBackup[] = L"Favorite2.dat.2012.02.27.22";
constexpr wchar_t kSecondBackup[] = L"Favorite2.dat.2012.02.28.09";

enum class Operation { FirstRestore, SecondRestore, Undo };
enum class Target { Favorites, UndoCopy, Backup };

// The file contents the cases name.
enum class Content { Absent, Original, First, Second };

struct HoldCase {
    const char* name;
    Operation operation;
    Target target;
    const wchar_t* share;
    DWORD releaseAfterMs;    // 0: held until the operation has ended
    const wchar_t* failure;  // the failure message, or null when the operation succeeds
    Content favorites;
    Content undoCopy;
};

constexpr DWORD kLong = 0;
constexpr DWORD kBrief = 100;

// What the profile holds before each operation: a first restore finds no undo copy; a second restore and an
// undo find the favorites restored from the first backup and the original favorites as undo copy.
// (The favorites held for a first restore without sharing or with read sharing, and the undo copy held with
// read sharing for an undo, are cases of the restore tests.)
const HoldCase kCases[] = {
    {"FirstRestoreFavoritesAllLong", Operation::FirstRestore, Target::Favorites, L"all", kLong, kRestoreBackupFailed,
     Content::Original, Content::Original},
    {"FirstRestoreBackupNoneLong", Operation::FirstRestore, Target::Backup, L"none", kLong, kRestoreBackupFailed,
     Content::Original, Content::Original},
    {"FirstRestoreBackupReadLong", Operation::FirstRestore, Target::Backup, L"read", kLong, nullptr, Content::First,
     Content::Original},
    {"FirstRestoreBackupAllLong", Operation::FirstRestore, Target::Backup, L"all", kLong, nullptr, Content::First,
     Content::Original},
    {"SecondRestoreFavoritesNoneLong", Operation::SecondRestore, Target::Favorites, L"none", kLong,
     kRestoreBackupFailed, Content::First, Content::Original},
    {"SecondRestoreUndoCopyNoneLong", Operation::SecondRestore, Target::UndoCopy, L"none", kLong, nullptr,
     Content::Second, Content::Original},
    {"SecondRestoreUndoCopyReadLong", Operation::SecondRestore, Target::UndoCopy, L"read", kLong, nullptr,
     Content::Second, Content::Original},
    {"SecondRestoreUndoCopyAllLong", Operation::SecondRestore, Target::UndoCopy, L"all", kLong, nullptr,
     Content::Second, Content::Original},
    {"UndoFavoritesNoneLong", Operation::Undo, Target::Favorites, L"none", kLong, kRestoreUndoCopyFailed,
     Content::First, Content::Original},
    {"UndoFavoritesReadLong", Operation::Undo, Target::Favorites, L"read", kLong, kRestoreUndoCopyFailed,
     Content::First, Content::Original},
    {"UndoFavoritesAllLong", Operation::Undo, Target::Favorites, L"all", kLong, kRestoreUndoCopyFailed, Content::First,
     Content::Original},
    {"UndoUndoCopyNoneLong", Operation::Undo, Target::UndoCopy, L"none", kLong, kRestoreUndoCopyFailed, Content::First,
     Content::Original},
    {"UndoUndoCopyAllLong", Operation::Undo, Target::UndoCopy, L"all", kLong, nullptr, Content::Original,
     Content::Absent},
    {"UndoBackupNoneLong", Operation::Undo, Target::Backup, L"none", kLong, nullptr, Content::Original,
     Content::Absent},
    // Every hold that makes an operation fail goes unnoticed when it ends after 100 ms.
    {"FirstRestoreFavoritesNoneBrief", Operation::FirstRestore, Target::Favorites, L"none", kBrief, nullptr,
     Content::First, Content::Original},
    {"FirstRestoreFavoritesReadBrief", Operation::FirstRestore, Target::Favorites, L"read", kBrief, nullptr,
     Content::First, Content::Original},
    {"FirstRestoreFavoritesAllBrief", Operation::FirstRestore, Target::Favorites, L"all", kBrief, nullptr,
     Content::First, Content::Original},
    {"FirstRestoreBackupNoneBrief", Operation::FirstRestore, Target::Backup, L"none", kBrief, nullptr, Content::First,
     Content::Original},
    {"SecondRestoreFavoritesReadBrief", Operation::SecondRestore, Target::Favorites, L"read", kBrief, nullptr,
     Content::Second, Content::Original},
    {"UndoFavoritesNoneBrief", Operation::Undo, Target::Favorites, L"none", kBrief, nullptr, Content::Original,
     Content::Absent},
    {"UndoFavoritesReadBrief", Operation::Undo, Target::Favorites, L"read", kBrief, nullptr, Content::Original,
     Content::Absent},
    {"UndoFavoritesAllBrief", Operation::Undo, Target::Favorites, L"all", kBrief, nullptr, Content::Original,
     Content::Absent},
    {"UndoUndoCopyNoneBrief", Operation::Undo, Target::UndoCopy, L"none", kBrief, nullptr, Content::Original,
     Content::Absent},
    {"UndoUndoCopyReadBrief", Operation::Undo, Target::UndoCopy, L"read", kBrief, nullptr, Content::Original,
     Content::Absent},
};

void PrintTo(const HoldCase& hold, std::ostream* out) {
    *out << hold.name;
}

// A shared profile with two backup copies in DailyBackup.
class HeldFilesTest : public testing::Test {
protected:
    HeldFilesTest() {
        MakeFolders(daily);
        WriteBytes(daily + L'\\' + kFirstBackup, kFirst);
        WriteBytes(daily + L'\\' + kSecondBackup, kSecond);
    }

    // The state each operation starts from.
    void Prepare(Operation operation) {
        if (operation == Operation::FirstRestore) {
            WriteBytes(favorites, kOriginal);
        } else {
            WriteBytes(favorites, kFirst);
            WriteBytes(undo, kOriginal);
        }
    }

    Notice Run(Operation operation) {
        switch (operation) {
            case Operation::FirstRestore:
                return RestoreFavorites(daily, kFirstBackup, L"DailyBackup");
            case Operation::SecondRestore:
                return RestoreFavorites(daily, kSecondBackup, L"DailyBackup");
            case Operation::Undo:
                return UndoRestore(profile);
        }
        return {};
    }

    std::wstring PathOf(Target target, Operation operation) const {
        switch (target) {
            case Target::Favorites:
                return favorites;
            case Target::UndoCopy:
                return undo;
            case Target::Backup:
                return daily + L'\\' + (operation == Operation::SecondRestore ? kSecondBackup : kFirstBackup);
        }
        return {};
    }

    static std::optional<std::string> Bytes(Content content) {
        switch (content) {
            case Content::Absent:
                return std::nullopt;
            case Content::Original:
                return kOriginal;
            case Content::First:
                return kFirst;
            case Content::Second:
                return kSecond;
        }
        return std::nullopt;
    }

    // Both files as expected, and nothing else in sight in the profile folder. While a hold lasts, a file
    // deleted under it may stay behind as a hidden temporary; once the hold ends nothing else may remain.
    // A file held without sharing cannot be read; then only its presence is checked.
    void ExpectProfile(Content expectedFavorites,
                       Content expectedUndo,
                       bool holdEnded,
                       const std::wstring& unreadable = {}) const {
        const auto expectFile = [&](const std::wstring& path, Content content) {
            if (path == unreadable) {
                EXPECT_EQ(FileExists(path), content != Content::Absent);
            } else {
                EXPECT_EQ(ReadBytes(path), Bytes(content));
            }
        };
        expectFile(favorites, expectedFavorites);
        expectFile(undo, expectedUndo);
        std::vector<std::wstring> expected{L"DailyBackup", L"Favorite2.dat"};
        if (expectedUndo != Content::Absent) expected.push_back(L"Favorite2Backup.dat");
        std::vector<std::wstring> names = ListNames(profile);
        if (!holdEnded) {
            std::erase_if(names, [this](const std::wstring& name) {
                return name.starts_with(L"~quillbarrow-") && IsHidden(profile + L'\\' + name);
            });
        }
        EXPECT_EQ(names, expected);
        EXPECT_FALSE(IsReadOnly(favorites));
    }

    static std::pair<Content, Content> Succeeded(Operation operation) {
        switch (operation) {
            case Operation::FirstRestore:
                return {Content::First, Content::Original};
            case Operation::SecondRestore:
                return {Content::Second, Content::Original};
            case Operation::Undo:
                return {Content::Original, Content::Absent};
        }
        return {};
    }

    inline static const std::string kOriginal = "original favorites";
    inline static const std::string kFirst = "backup of 27 February";
    inline static const std::string kSecond = "backup of 28 February, a little longer";

    TempFolder root{L"qb-held"};
    std::wstring profile = root / L"sogouexplorer";
    std::wstring daily = profile + L"\\DailyBackup";
    std::wstring favorites = profile + L"\\Favorite2.dat";
    std::wstring undo = profile + L"\\Favorite2Backup.dat";
};

class HeldFileCase : public HeldFilesTest, public testing::WithParamInterface<HoldCase> {};

}  // namespace

TEST_P(HeldFileCase, EndsWithOneMessageAndBothFilesWhole) {
    const HoldCase& hold = GetParam();
    Prepare(hold.operation);
    {
        const std::wstring held = PathOf(hold.target, hold.operation);
        HelperProcess holder = HoldFile(held, hold.share, hold.releaseAfterMs);
        const Notice notice = Run(hold.operation);
        if (hold.failure) {
            EXPECT_TRUE(IsFailure(notice, hold.failure)) << Describe(notice);
        } else {
            EXPECT_EQ(notice.icon, NoticeIcon::Information) << Describe(notice);
        }
        const bool unreadable = std::wstring_view(hold.share) == L"none" && hold.releaseAfterMs == kLong;
        ExpectProfile(hold.favorites, hold.undoCopy, false, unreadable ? held : std::wstring());
        if (hold.releaseAfterMs != kLong) {
            EXPECT_EQ(holder.Wait(5000), DWORD{0});
        }
    }
    // Letting go changes nothing, and the user's next try does what the first could not.
    ExpectProfile(hold.favorites, hold.undoCopy, true);
    if (hold.failure) {
        EXPECT_EQ(Run(hold.operation).icon, NoticeIcon::Information);
        const auto [expectedFavorites, expectedUndo] = Succeeded(hold.operation);
        ExpectProfile(expectedFavorites, expectedUndo, true);
    }
}

INSTANTIATE_TEST_SUITE_P(Holds,
                         HeldFileCase,
                         testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<HoldCase>& param) { return std::string(param.param.name); });

// An indexer may hold the undo copy with full sharing while undo deletes it. Its name must be gone at once:
// a restore made before the indexer lets go must keep the favorites as a new undo copy.
TEST_F(HeldFilesTest, AnUndoCopyDeletedWhileHeldWithFullSharingLeavesRoomForTheNextUndoCopy) {
    Prepare(Operation::Undo);
    {
        HelperProcess holder = HoldFile(undo, L"all");
        EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
        EXPECT_FALSE(FileExists(undo));
        EXPECT_EQ(RestoreFavorites(daily, kSecondBackup, L"DailyBackup"), kRestoredNotice);
        EXPECT_EQ(ReadBytes(undo), kOriginal);
        for (const std::wstring& name : Temporaries(profile))
            EXPECT_TRUE(IsHidden(profile + L'\\' + name));
    }
    ExpectProfile(Content::Second, Content::Original, true);
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    ExpectProfile(Content::Original, Content::Absent, true);
}

// Sharing failures are tried again for about a second with growing waits: a hold of 600 ms is outlasted,
// and a hold that does not end is reported after roughly a second, not at once and not much later.
TEST_F(HeldFilesTest, HoldsAreOutlastedForAboutASecond) {
    using Clock = std::chrono::steady_clock;
    Prepare(Operation::Undo);
    {
        HelperProcess holder = HoldFile(favorites, L"read", 600);
        EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    }
    Prepare(Operation::Undo);
    HelperProcess holder = HoldFile(favorites, L"read");
    const Clock::time_point start = Clock::now();
    const Notice notice = UndoRestore(profile);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_TRUE(IsFailure(notice, kRestoreUndoCopyFailed)) << Describe(notice);
    EXPECT_GE(waited.count(), 800);
    EXPECT_LE(waited.count(), 3000);
    std::printf("a file held for good is reported after %lld ms\n", static_cast<long long>(waited.count()));
}
