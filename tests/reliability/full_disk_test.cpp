// A profile folder on a small file system that is full, or has less room than a copy needs: the user reads
// which step failed and that the disk is full, both files stay whole, and no temporary file remains.
#include "restore/restore.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::size_t kKiB = 1024;
constexpr wchar_t kBackupName[] = L"Favorite2.dat.2012.02.27.22";

// The system's own words for a full disk, as the failure message ends.
std::wstring DiskFullReason() {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_DISK_FULL,
                                  0, text, 512, nullptr);
    while (length > 0 && std::wstring_view(L"\r\n ").find(text[length - 1]) != std::wstring_view::npos)
        --length;
    return std::wstring(text, length);
}

// The shared profile of a user on the small file system, with favorites of 64 KiB and a backup of 1 MiB.
class FullDiskTest : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring mounted = MountedFolder(L"QB_FULL_DISK_FOLDER");
        if (mounted.empty()) GTEST_SKIP() << "no small file system could be mounted here, so no disk can be filled";
        folder = std::make_unique<TempFolder>(L"case", mounted);
        profile = *folder / L"sogouexplorer";
        daily = profile + L"\\DailyBackup";
        MakeFolders(daily);
        WriteBytes(profile + L"\\Favorite2.dat", kOriginal);
        WriteBytes(daily + L'\\' + kBackupName, kBackup);
    }

    Notice Restore() { return RestoreFavorites(daily, kBackupName, L"DailyBackup"); }

    static void ExpectDiskFull(const Notice& notice, const wchar_t* whatFailed) {
        EXPECT_PRED2(IsFailure, notice, whatFailed);
        EXPECT_EQ(notice.text, whatFailed + DiskFullReason());
    }

    void ExpectProfile(const std::string& expectedFavorites, const std::optional<std::string>& expectedUndo) {
        EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), expectedFavorites);
        EXPECT_EQ(ReadBytes(profile + L"\\Favorite2Backup.dat"), expectedUndo);
        std::vector<std::wstring> expected{L"DailyBackup", L"Favorite2.dat"};
        if (expectedUndo) expected.push_back(L"Favorite2Backup.dat");
        EXPECT_EQ(ListNames(profile), expected);
    }

    inline static const std::string kOriginal = Pattern(64 * kKiB, 1);
    inline static const std::string kBackup = Pattern(1024 * kKiB, 2);
    std::unique_ptr<TempFolder> folder;
    std::wstring profile;
    std::wstring daily;
};

}  // namespace

TEST_F(FullDiskTest, ABackupLargerThanTheFreeSpaceLeavesTheFavoritesAndKeepsTheUndoCopy) {
    {
        const UniqueFileHandle filler = FillDisk(folder->Path(), 256 * kKiB);
        const std::uint64_t freeBefore = FreeBytes(profile);
        ExpectDiskFull(Restore(), kRestoreBackupFailed);
        ExpectProfile(kOriginal, kOriginal);
        // The partial copy is gone and its room given back: only the undo copy takes space.
        EXPECT_EQ(FreeBytes(profile), freeBefore - kOriginal.size());
    }
    EXPECT_EQ(Restore(), kRestoredNotice);
    ExpectProfile(kBackup, kOriginal);
}

TEST_F(FullDiskTest, NoRoomForTheUndoCopyStopsTheRestoreBeforeTheFavorites) {
    {
        const UniqueFileHandle filler = FillDisk(folder->Path(), 16 * kKiB);
        ExpectDiskFull(Restore(), kSaveUndoCopyFailed);
        ExpectProfile(kOriginal, std::nullopt);
    }
    EXPECT_EQ(Restore(), kRestoredNotice);
    ExpectProfile(kBackup, kOriginal);
}

// A second try on the still full disk fails the same way and leaves no more behind; an empty backup still
// goes into place.
TEST_F(FullDiskTest, UndoOnAFullDiskKeepsTheRestoredFavoritesAndTheUndoCopy) {
    ASSERT_EQ(Restore(), kRestoredNotice);
    WriteBytes(daily + L"\\Favorite2.dat.empty", "");
    {
        const UniqueFileHandle filler = FillDisk(folder->Path(), 0);
        for (int attempt = 0; attempt < 2; ++attempt) {
            ExpectDiskFull(UndoRestore(profile), kRestoreUndoCopyFailed);
            ExpectProfile(kBackup, kOriginal);
        }
        EXPECT_EQ(RestoreFavorites(daily, L"Favorite2.dat.empty", L"DailyBackup"), kRestoredNotice);
        ExpectProfile("", kOriginal);
    }
    EXPECT_EQ(UndoRestore(profile), kUndoneNotice);
    ExpectProfile(kOriginal, std::nullopt);
}
