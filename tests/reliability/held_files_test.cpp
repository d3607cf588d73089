// The favorites, the undo copy and the backup copy held open by another process with each kind of sharing,
// for a moment (as virus scanners and indexers do) or for long: brief holds go unnoticed, long ones end in
// the failure message with both files whole, and the user's next try after the hold succeeds.
#include "restore/restore.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

constexpr wchar_t kFirstBackup[] = L"Favorite2.dat.2012.02.27.22";
constexpr wchar_t kSecondBackup[] = L"Favorite2.dat.2012.02.28.09";
enum Operation { kFirstRestore, kSecondRestore, kUndo };
enum Target { kFavorites, kUndoCopy, kBackup };
constexpr DWORD kLong = 0;  // held until the operation has ended
constexpr DWORD kBrief = 100;

struct HoldCase {
    Operation operation;
    Target target;
    const wchar_t* share;
    DWORD releaseAfterMs;
    const wchar_t* failure;  // the failure message, or null when the operation succeeds
    const char* files;       // favorites and undo copy after it: 'O'riginal, '1'st or '2'nd backup, '-' absent
};

// A first restore finds no undo copy; a second restore and an undo find the favorites restored from the first
// backup and the original favorites as undo copy. (Holds of the favorites for a first restore without or with
// read sharing, and of the undo copy with read sharing for an undo, are cases of the restore tests.)
const HoldCase kCases[] = {
    {kFirstRestore, kFavorites, L"all", kLong, kRestoreBackupFailed, "OO"},
    {kFirstRestore, kBackup, L"none", kLong, kRestoreBackupFailed, "OO"},
    {kFirstRestore, kBackup, L"read", kLong, nullptr, "1O"},
    {kFirstRestore, kBackup, L"all", kLong, nullptr, "1O"},
    {kSecondRestore, kFavorites, L"none", kLong, kRestoreBackupFailed, "1O"},
    {kSecondRestore, kUndoCopy, L"none", kLong, nullptr, "2O"},
    {kSecondRestore, kUndoCopy, L"read", kLong, nullptr, "2O"},
    {kSecondRestore, kUndoCopy, L"all", kLong, nullptr, "2O"},
    {kUndo, kFavorites, L"none", kLong, kRestoreUndoCopyFailed, "1O"},
    {kUndo, kFavorites, L"read", kLong, kRestoreUndoCopyFailed, "1O"},
    {kUndo, kFavorites, L"all", kLong, kRestoreUndoCopyFailed, "1O"},
    {kUndo, kUndoCopy, L"none", kLong, kRestoreUndoCopyFailed, "1O"},
    {kUndo, kUndoCopy, L"all", kLong, nullptr, "O-"},
    {kUndo, kBackup, L"none", kLong, nullptr, "O-"},
    // Every hold that makes an operation fail goes unnoticed when it ends after 100 ms.
    {kFirstRestore, kFavorites, L"none", kBrief, nullptr, "1O"},
    {kFirstRestore, kFavorites, L"read", kBrief, nullptr, "1O"},
    {kFirstRestore, kFavorites, L"all", kBrief, nullptr, "1O"},
    {kFirstRestore, kBackup, L"none", kBrief, nullptr, "1O"},
    {kSecondRestore, kFavorites, L"read", kBrief, nullptr, "2O"},
    {kUndo, kFavorites, L"none", kBrief, nullptr, "O-"},
    {kUndo, kFavorites, L"read", kBrief, nullptr, "O-"},
    {kUndo, kFavorites, L"all", kBrief, nullptr, "O-"},
    {kUndo, kUndoCopy, L"none", kBrief, nullptr, "O-"},
    {kUndo, kUndoCopy, L"read", kBrief, nullptr, "O-"},
};
// What each operation leaves when it succeeds.
constexpr const char* kSucceeded[] = {"1O", "2O", "O-"};

std::string Name(const testing::TestParamInfo<HoldCase>& info) {
    static const char* const kOperations[] = {"FirstRestore", "SecondRestore", "Undo"};
    static const char* const kTargets[] = {"Favorites", "UndoCopy", "Backup"};
    const std::wstring_view share = info.param.share;
    return std::string(kOperations[info.param.operation]) + kTargets[info.param.target] +
           (share == L"none"   ? "None"
            : share == L"read" ? "Read"
                               : "All") +
           (info.param.releaseAfterMs == kLong ? "Long" : "Brief");
}

// A shared profile with two backup copies in DailyBackup.
class HeldFilesTest : public testing::Test {
protected:
    HeldFilesTest() {
        MakeFolders(daily);
        WriteBytes(daily + L'\\' + kFirstBackup, kFirst);
        WriteBytes(daily + L'\\' + kSecondBackup, kSecond);
    }

    void Prepare(Operation operation) {
        WriteBytes(favorites, operation == kFirstRestore ? kOriginal : kFirst);
        if (operation != kFirstRestore) WriteBytes(undo, kOriginal);
    }

    Notice Run(Operation operation) {
        if (operation == kUndo) return UndoRestore(profile);
        return RestoreFavorites(daily, operation == kFirstRestore ? kFirstBackup : kSecondBackup, L"DailyBackup");
    }

    std::wstring PathOf(Target target, Operation operation) const {
        if (target == kFavorites) return favorites;
        if (target == kUndoCopy) return undo;
        return daily + L'\\' + (operation == kSecondRestore ? kSecondBackup : kFirstBackup);
    }

    // Both files as `files` says, and nothing else in sight in the profile folder. While a hold lasts, a file
    // deleted under it may stay as a hidden temporary. A file held without sharing cannot be read: only its
    // presence is checked.
    void ExpectProfile(const char* files, bool holdEnded, const std::wstring& unreadable = {}) const {
        const auto content = [](char code) -> std::optional<std::string> {
            if (code == '-') return std::nullopt;
            return code == 'O' ? kOriginal : code == '1' ? kFirst : kSecond;
        };
        for (const auto& [path, code] : {std::pair(favorites, files[0]), std::pair(undo, files[1])}) {
            if (path == unreadable) {
                EXPECT_EQ(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES, code != '-');
            } else {
                EXPECT_EQ(ReadBytes(path), content(code));
            }
        }
        std::vector<std::wstring> expected{L"DailyBackup", L"Favorite2.dat"};
        if (files[1] != '-') expected.push_back(L"Favorite2Backup.dat");
        std::vector<std::wstring> names = ListNames(profile);
        std::erase_if(names, [&](const std::wstring& name) {
            return !holdEnded && name.starts_with(L"~quillbarrow-") &&
                   HasAttribute(profile + L'\\' + name, FILE_ATTRIBUTE_HIDDEN);
        });
        EXPECT_EQ(names, expected);
        EXPECT_FALSE(HasAttribute(favorites, FILE_ATTRIBUTE_READONLY));
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
            EXPECT_PRED2(IsFailure, notice, hold.failure);
        } else {
            EXPECT_EQ(notice.icon, NoticeIcon::Information) << testing::PrintToString(notice);
        }
        const bool unreadable = std::wstring_view(hold.share) == L"none" && hold.releaseAfterMs == kLong;
        ExpectProfile(hold.files, false, unreadable ? held : std::wstring());
        if (hold.releaseAfterMs != kLong) {
            EXPECT_EQ(holder.Wait(5000), DWORD{0});
        }
    }
    // Letting go changes nothing, and the user's next try does what the first could not.
    ExpectProfile(hold.files, true);
    if (hold.failure) {
        EXPECT_EQ(Run(hold.operation).icon, NoticeIcon::Information);
        ExpectProfile(kSucceeded[hold.operation], true);
    }
}

INSTANTIATE_TEST_SUITE_P(Holds, HeldFileCase, testing::ValuesIn(kCases), Name);

// An indexer may hold the undo copy with full sharing while undo deletes it. Its name must be gone at once:
// a restore made before the indexer lets go must keep the favorites as a new undo copy.
TEST_F(HeldFilesTest, AnUndoCopyDeletedWhileHeldWithFullSharingLeavesRoomForTheNextUndoCopy) {
    Prepare(kUndo);
    {
        HelperProcess holder = HoldFile(undo, L"all");
        EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
        EXPECT_EQ(GetFileAttributesW(undo.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(Run(kSecondRestore), kRestoredNotice);
        ExpectProfile("2O", false);
    }
    ExpectProfile("2O", true);
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    ExpectProfile("O-", true);
}

// Sharing failures are tried again for about a second with growing waits: a hold of 600 ms is outlasted,
// and a hold that does not end is reported after roughly a second, not at once and not much later.
TEST_F(HeldFilesTest, HoldsAreOutlastedForAboutASecond) {
    Prepare(kUndo);
    {
        HelperProcess holder = HoldFile(favorites, L"read", 600);
        EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    }
    Prepare(kUndo);
    HelperProcess holder = HoldFile(favorites, L"read");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_PRED2(IsFailure, UndoRestore(profile), kRestoreUndoCopyFailed);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(waited.count(), 800);
    EXPECT_LE(waited.count(), 3000);
}
