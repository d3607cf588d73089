// A profile folder on a small file system that is full, or has less room than a copy needs: the user reads
// which step failed and that the disk is full, both files stay whole, and no temporary file remains.
#include "reliability_support.h"
#include "restore/restore.h"

#include <gtest/gtest.h>

namespace {

constexpr std::size_t kKiB = 1024;

// The system's own words for a full disk, as the failure message ends.
std::wstring DiskFullReason() {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, ERROR_DISK_FULL, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring reason(buffer, length);
    LocalFree(buffer);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ')) {
        reason.pop_back();
    }
    return reason;
}

// The shared profile of a user on the small file system, with favorites of 64 KiB and a backup of 1 MiB.
class FullDiskTest : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring mounted = MountedFolder(L"QB_FULL_DISK_FOLDER");
        if (mounted.empty()) GTEST_SKIP() << "no small file system could be mounted here, so no disk can be filled";
        folder = std::make_unique<FolderIn>(mounted);
        profile = *folder / L"sogouexplorer";
        daily = profile + L"\\DailyBackup";
        favorites = profile + L"\\Favorite2.dat";
        undo = profile + L"\\Favorite2Backup.dat";
        MakeFolders(daily);
        WriteBytes(favorites, kOriginal);
        WriteBytes(daily + L'\\' + kBackupName, kBackup);
    }

    Notice Restore() { return RestoreFavorites(daily, kBackupName, L"DailyBackup"); }

    void ExpectFailure(const Notice& notice, const wchar_t* whatFailed) {
        EXPECT_TRUE(IsFailure(notice, whatFailed)) << Describe(notice);
        EXPECT_EQ(notice.text, whatFailed + DiskFullReason()) << Describe(notice);
    }

    void ExpectProfile(const std::string& expectedFavorites, const std::optional<std::string>& expectedUndo) {
        EXPECT_EQ(ReadBytes(favorites), expectedFavorites);
        EXPECT_EQ(ReadBytes(undo), expectedUndo);
        std::vector<std::wstring> expected{L"DailyBackup", L"Favorite2.dat"};
        if (expectedUndo) expected.push_back(L"Favorite2Backup.dat");
        EXPECT_EQ(ListNames(profile), expected);
    }

    inline static const std::string kOriginal = Pattern(64 * kKiB, 1);
    inline static const std::string kBackup = Pattern(1024 * kKiB, 2);
    static constexpr wchar_t kBackupName[] = L"Favorite2.dat.2012.02.27.22";

    std::unique_ptr<FolderIn> folder;
    std::wstring profile;
    std::wstring daily;
    std::wstring favorites;
    std::wstring undo;
};

}  // namespace

TEST_F(FullDiskTest, ABackupLargerThanTheFreeSpaceLeavesTheFavoritesAndKeepsTheUndoCopy) {
    {
        const DiskFiller filler(folder->Path(), 256 * kKiB);
        const std::uint64_t freeBefore = FreeBytes(profile);
        ExpectFailure(Restore(), kRestoreBackupFailed);
        ExpectProfile(kOriginal, kOriginal);
        // The partial copy is gone and its room given back: only the undo copy takes space.
        EXPECT_EQ(FreeBytes(profile), freeBefore - kOriginal.size());
    }
    EXPECT_EQ(Restore(), kRestoredNotice);
    ExpectProfile(kBackup, kOriginal);
}

TEST_F(FullDiskTest, NoRoomForTheUndoCopyStopsTheRestoreBeforeTheFavorites) {
    {
        const DiskFiller filler(folder->Path(), 16 * kKiB);
        ExpectFailure(Restore(), kSaveUndoCopyFailed);
        ExpectProfile(kOriginal, std::nullopt);
    }
    EXPECT_EQ(Restore(), kRestoredNotice);
    ExpectProfile(kBackup, kOriginal);
}

TEST_F(FullDiskTest, UndoOnAFullDiskKeepsTheRestoredFavoritesAndTheUndoCopy) {
    ASSERT_EQ(Restore(), kRestoredNotice);
    {
        const DiskFiller filler(folder->Path(), 0);
        ExpectFailure(UndoRestore(profile), kRestoreUndoCopyFailed);
        ExpectProfile(kBackup, kOriginal);
        // A second try on the still full disk fails the same way and leaves no more behind.
        ExpectFailure(UndoRestore(profile), kRestoreUndoCopyFailed);
        ExpectProfile(kBackup, kOriginal);
    }
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    ExpectProfile(kOriginal, std::nullopt);
}

TEST_F(FullDiskTest, AnEmptyBackupStillGoesIntoPlaceOnAFullDisk) {
    const std::wstring empty = daily + L"\\Favorite2.dat.empty";
    WriteBytes(empty, "");
    WriteBytes(undo, kOriginal);
    const DiskFiller filler(folder->Path(), 0);
    EXPECT_EQ(RestoreFavorites(daily, L"Favorite2.dat.empty", L"DailyBackup"), kRestoredNotice);
    ExpectProfile("", kOriginal);
}
