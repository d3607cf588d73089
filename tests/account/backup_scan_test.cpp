// The backup folder scan on real folders: order, numbering, what becomes a row, links, depth and size.
#include "account/backup_scan.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Names = std::vector<std::wstring>;

struct Scan {
    std::vector<ScanRow> rows;
    std::uint64_t counter = 0;

    Names RowNames() const {
        Names names;
        for (const auto& row : rows)
            names.push_back(row.name);
        return names;
    }
    const ScanRow& Row(std::wstring_view name) const {
        for (const auto& row : rows) {
            if (row.name == name) return row;
        }
        throw std::runtime_error("no row " + Utf8(name));
    }
};

Scan ScanFolder(const std::wstring& folder, std::wstring_view pattern = L"*.*", std::uint64_t counter = 0) {
    Scan scan{{}, counter};
    FindFilesAPI(folder, pattern, scan.counter, scan.rows);
    return scan;
}

void ExpectNumberedFrom(const Scan& scan, std::uint64_t first) {
    for (std::size_t i = 0; i < scan.rows.size(); ++i) {
        ASSERT_EQ(scan.rows[i].number, first + i) << Utf8(scan.rows[i].name);
    }
    EXPECT_EQ(scan.counter, first + scan.rows.size() - 1);
}

// Entries below a folder: a name ending in "\" is a folder, any other a file holding its own name.
void MakeEntries(const std::wstring& folder, std::initializer_list<std::wstring_view> entries) {
    for (const std::wstring_view entry : entries) {
        const std::wstring path = folder + L'\\' + std::wstring(entry);
        if (entry.ends_with(L'\\')) {
            MakeFolders(path.substr(0, path.size() - 1));
        } else {
            WriteBytes(path, Utf8(entry));
        }
    }
}

void SetLastWriteTime(const std::wstring& path, std::uint64_t ticks) {
    const UniqueFileHandle entry{CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    ASSERT_TRUE(entry && SetFileTime(entry.Get(), nullptr, nullptr, &time)) << Utf8(path);
}

// A Linux path as Wine shows it on the Z: drive.
std::wstring HostPath(std::string_view linuxPath) {
    std::wstring path = L"Z:" + Utf16(linuxPath);
    for (auto& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

// 27 February 2012 14:05 and 3 March 2009 08:30, UTC, as FILETIMEs.
constexpr std::uint64_t kFebruary2012 = 129748251000000000;
constexpr std::uint64_t kMarch2009 = 128805426000000000;

class BackupScan : public testing::Test {
protected:
    void SetUp() override { MakeFolders(backup); }

    TempFolder root{L"qb-scan"};
    std::wstring backup = root / L"DailyBackup";
};

}  // namespace

TEST_F(BackupScan, EmptyFolderGivesNoRows) {
    const Scan scan = ScanFolder(backup);
    EXPECT_TRUE(scan.rows.empty());
    EXPECT_EQ(scan.counter, 0u);
}

TEST_F(BackupScan, MissingFolderOrAFileGivesNoRowsAndLeavesTheCounter) {
    MakeEntries(backup, {L"a.dat"});
    EXPECT_TRUE(ScanFolder(backup + L"\\absent").rows.empty());
    EXPECT_TRUE(ScanFolder(backup + L"\\a.dat").rows.empty());
    EXPECT_EQ(ScanFolder(root / L"absent\\deeper", L"*.*", 9).counter, 9u);
}

TEST_F(BackupScan, NamesWithAndWithoutFullStopAllMatch) {
    MakeEntries(backup, {L"favorite2.dat.2012.02.27.22", L"k", L"notes.txt.bak", L"z.dat"});
    const Scan scan = ScanFolder(backup);
    EXPECT_EQ(scan.RowNames(), (Names{L"favorite2.dat.2012.02.27.22", L"k", L"notes.txt.bak", L"z.dat"}));
    ExpectNumberedFrom(scan, 1);
    EXPECT_EQ(ScanFolder(backup, L"*").RowNames(), scan.RowNames());
    EXPECT_EQ(ScanFolder(backup + L'\\').RowNames(), scan.RowNames());
}

TEST_F(BackupScan, SubFoldersAreRowsAmongTheirFolderThenWalkedInFull) {
    MakeEntries(backup, {L"a.dat", L"m\\", L"m\\n.dat", L"m\\o\\", L"m\\o\\p.dat", L"m\\o\\q\\", L"m\\r.dat", L"s\\",
                         L"s\\t", L"z.dat"});
    const Scan scan = ScanFolder(backup);
    EXPECT_EQ(scan.RowNames(), (Names{L"a.dat", L"m", L"s", L"z.dat", L"n.dat", L"o", L"r.dat", L"p.dat", L"q", L"t"}));
    ExpectNumberedFrom(scan, 1);
    for (const auto& row : scan.rows) {
        const bool folder = row.name == L"m" || row.name == L"s" || row.name == L"o" || row.name == L"q";
        EXPECT_EQ(row.isFolder, folder) << Utf8(row.name);
    }
}

TEST_F(BackupScan, NumberingContinuesFromTheCallersCounter) {
    MakeEntries(backup, {L"a.dat", L"b\\", L"b\\c.dat"});
    const Scan first = ScanFolder(backup, L"*.*", 41);
    ExpectNumberedFrom(first, 42);
    const Scan second = ScanFolder(backup, L"*.*", first.counter);
    ExpectNumberedFrom(second, 45);
}

TEST_F(BackupScan, PatternChoosesTheRowsButEverySubFolderIsWalked) {
    MakeEntries(backup,
                {L"Favorite2.dat.1", L"FAVORITE2", L"other.dat", L"favorite2-old\\", L"favorite2-old\\favorite2.x",
                 L"favorite2-old\\y", L"sub\\", L"sub\\deeper\\", L"sub\\deeper\\favorite2.dat.3"});
    const Scan scan = ScanFolder(backup, L"Favorite2*.*");
    // Without regard to case, and the trailing ".*" also matches a name without a full stop.
    EXPECT_EQ(scan.RowNames(),
              (Names{L"FAVORITE2", L"favorite2-old", L"Favorite2.dat.1", L"favorite2.x", L"favorite2.dat.3"}));
    ExpectNumberedFrom(scan, 1);
}

TEST_F(BackupScan, HiddenAndSystemEntriesAreListedAndWalked) {
    MakeEntries(backup, {L"a.dat", L"h.dat", L"s\\", L"s\\inside.dat", L"y.dat"});
    constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW((backup + L"\\h.dat").c_str(), kHiddenSystem));
    ASSERT_TRUE(SetFileAttributesW((backup + L"\\s").c_str(), kHiddenSystem | FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(SetFileAttributesW((backup + L"\\y.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(GetFileAttributesW((backup + L"\\h.dat").c_str()) & kHiddenSystem, kHiddenSystem);

    EXPECT_EQ(ScanFolder(backup).RowNames(), (Names{L"a.dat", L"h.dat", L"s", L"y.dat", L"inside.dat"}));
}

TEST_F(BackupScan, RowsCarrySizeAndLastWriteTime) {
    MakeEntries(backup, {L"old\\", L"old\\inner.dat"});
    WriteBytes(backup + L"\\Favorite2.dat.2012.02.27.22", std::string(12345, 'x'));
    WriteBytes(backup + L"\\empty", "");
    SetLastWriteTime(backup + L"\\Favorite2.dat.2012.02.27.22", kFebruary2012);
    SetLastWriteTime(backup + L"\\old", kMarch2009);

    const Scan scan = ScanFolder(backup);
    const ScanRow& copy = scan.Row(L"Favorite2.dat.2012.02.27.22");
    EXPECT_EQ(copy.size, 12345u);
    EXPECT_EQ(copy.lastWriteTime, kFebruary2012);
    EXPECT_FALSE(copy.isFolder);
    EXPECT_EQ(scan.Row(L"empty").size, 0u);
    EXPECT_EQ(scan.Row(L"inner.dat").size, 13u);

    // A folder's row carries the folder's own last-write time and no size.
    const ScanRow& folder = scan.Row(L"old");
    EXPECT_TRUE(folder.isFolder);
    EXPECT_EQ(folder.size, 0u);
    EXPECT_EQ(folder.lastWriteTime, kMarch2009);
}

TEST_F(BackupScan, SizesOf2GiBAndMoreAreExact) {
    for (const auto& [name, size] : {std::pair{L"two-gib", 2147483648LL}, std::pair{L"five-gib", 5368709121LL}}) {
        const UniqueFileHandle file{
            CreateFileW((backup + L'\\' + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)};
        ASSERT_TRUE(file);
        // Setting the end leaves a sparse file on the host: no disk space is used.
        ASSERT_TRUE(SetFilePointerEx(file.Get(), LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.Get()));
    }
    const Scan scan = ScanFolder(backup);
    EXPECT_EQ(scan.Row(L"two-gib").size, 2147483648u);
    EXPECT_EQ(scan.Row(L"five-gib").size, 5368709121u);
}

TEST_F(BackupScan, FolderThatCannotBeSearchedGetsItsRowAndTheWalkGoesOn) {
    MakeEntries(backup, {L"a\\", L"a\\x.dat", L"b\\", L"b\\y.dat", L"c\\", L"c\\z.dat"});
    // Held open without sharing, the folder refuses every search.
    const UniqueFileHandle held{CreateFileW((backup + L"\\b").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    ASSERT_TRUE(held);
    const Scan scan = ScanFolder(backup);
    EXPECT_EQ(scan.RowNames(), (Names{L"a", L"b", L"c", L"x.dat", L"z.dat"}));
    ExpectNumberedFrom(scan, 1);
}

// Trees made by the test's set-up, make_scan_trees.sh, on the Linux side.
std::wstring SetUpTree(std::string_view name) {
    return HostPath(QB_SCAN_TREES) + L'\\' + Utf16(name) + L"\\backup";
}

TEST(BackupScanTrees, LinkToAParentIsListedOnceAndNotEntered) {
    const std::wstring backup = SetUpTree("links");
    ASSERT_EQ(GetFileAttributesW((backup + L"\\self").c_str()),
              DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT});

    const Scan scan = ScanFolder(backup);
    // Wine does not show a link that points at nothing.
    EXPECT_EQ(scan.RowNames(), (Names{L"a.dat", L"file-link", L"inner", L"self", L"b.dat", L"up"}));
    ExpectNumberedFrom(scan, 1);
    EXPECT_TRUE(scan.Row(L"self").isFolder);
    EXPECT_TRUE(scan.Row(L"up").isFolder);
}

TEST(BackupScanTrees, DeepTreeIsWalkedToTheBottom) {
    // 600 levels, each with a file "f" and the next level "d": paths far past the plain limit of 260 characters.
    const Scan scan = ScanFolder(SetUpTree("deep"));
    ASSERT_EQ(scan.rows.size(), 1200u);
    for (std::size_t i = 0; i < scan.rows.size(); i += 2) {
        ASSERT_EQ(scan.rows[i].name, L"d") << i;
        ASSERT_EQ(scan.rows[i + 1].name, L"f") << i;
    }
    ExpectNumberedFrom(scan, 1);
}

TEST(BackupScanTrees, CountsGoPast32767) {
    // More sub-folders in one folder, and more rows, than a 16-bit count holds: 32,770 folders, the last with a file.
    const Scan scan = ScanFolder(SetUpTree("wide"));
    ASSERT_EQ(scan.rows.size(), 32771u);
    EXPECT_EQ(scan.rows[32767].name, L"s32767");
    EXPECT_EQ(scan.rows[32767].number, 32768u);
    EXPECT_EQ(scan.rows[32769].name, L"s32769");
    EXPECT_EQ(scan.rows.back().name, L"last.dat");
    EXPECT_EQ(scan.rows.back().number, 32771u);
    EXPECT_EQ(scan.counter, 32771u);
}
