// The backup folder scan on real folders: order, numbering, what becomes a row, links, depth and size.
#include "account/backup_scan.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <tuple>

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
    ScanRow Row(std::wstring_view name) const {
        for (const auto& row : rows) {
            if (row.name == name) return row;
        }
        ADD_FAILURE() << "no row " << Utf8(name);
        return {};
    }
    // Rows numbered on from the caller's counter without a gap.
    void ExpectNumberedFrom(std::uint64_t first) const {
        for (std::size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i].number, first + i) << Utf8(rows[i].name);
        EXPECT_EQ(counter, first + rows.size() - 1);
    }
};

Scan ScanFolder(const std::wstring& folder, std::wstring_view pattern = L"*.*", std::uint64_t counter = 0) {
    Scan scan{{}, counter};
    FindFilesAPI(folder, pattern, scan.counter, scan.rows);
    return scan;
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

class BackupScan : public testing::Test {
protected:
    void SetUp() override { MakeFolders(backup); }

    TempFolder root{L"qb-scan"};
    std::wstring backup = root / L"DailyBackup";
};

// A tree that make_scan_trees.sh made on the Linux side before the tests.
std::wstring SetUpTree(const wchar_t* name) {
    return HostPath(Utf16(QB_SCAN_TREES)) + L'\\' + name + L"\\backup";
}

}  // namespace

TEST_F(BackupScan, FoldersWithoutEntriesGiveNoRowsAndLeaveTheCounter) {
    MakeEntries(backup, {L"a.dat"});
    for (const std::wstring& folder : {backup + L"\\absent", backup + L"\\a.dat", root / L"absent\\deeper"}) {
        EXPECT_EQ(ScanFolder(folder, L"*.*", 9).counter, 9u);
    }
    DeleteFileW((backup + L"\\a.dat").c_str());
    const Scan empty = ScanFolder(backup);
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.counter, 0u);
}

// Names with and without a full stop, hidden and system entries: every one is a row, walked if a folder.
TEST_F(BackupScan, EveryNameMatchesStarDotStar) {
    MakeEntries(backup, {L"favorite2.dat.2012.02.27.22", L"h.dat", L"k", L"s\\", L"s\\inside.dat", L"y.dat"});
    constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW((backup + L"\\h.dat").c_str(), kHiddenSystem));
    ASSERT_TRUE(SetFileAttributesW((backup + L"\\s").c_str(), kHiddenSystem | FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(SetFileAttributesW((backup + L"\\y.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    const Scan scan = ScanFolder(backup);
    EXPECT_EQ(scan.RowNames(), (Names{L"favorite2.dat.2012.02.27.22", L"h.dat", L"k", L"s", L"y.dat", L"inside.dat"}));
    EXPECT_EQ(ScanFolder(backup, L"*").RowNames(), scan.RowNames());
    EXPECT_EQ(ScanFolder(backup + L'\\').RowNames(), scan.RowNames());
}

TEST_F(BackupScan, SubFoldersAreRowsAmongTheirFolderThenWalkedInFullNumberedOnFromTheCounter) {
    MakeEntries(backup, {L"a.dat", L"m\\", L"m\\n.dat", L"m\\o\\", L"m\\o\\p.dat", L"m\\o\\q\\", L"m\\r.dat", L"s\\",
                         L"s\\t", L"z.dat"});
    const Scan scan = ScanFolder(backup);
    EXPECT_EQ(scan.RowNames(), (Names{L"a.dat", L"m", L"s", L"z.dat", L"n.dat", L"o", L"r.dat", L"p.dat", L"q", L"t"}));
    scan.ExpectNumberedFrom(1);
    for (const auto& row : scan.rows) {
        EXPECT_EQ(row.isFolder,
                  row.name.size() == 1 && std::wstring_view(L"mosq").find(row.name[0]) != std::wstring_view::npos)
            << Utf8(row.name);
    }
    const Scan again = ScanFolder(backup, L"*.*", 41);
    again.ExpectNumberedFrom(42);
    ScanFolder(backup, L"*.*", again.counter).ExpectNumberedFrom(52);
}

TEST_F(BackupScan, PatternChoosesTheRowsButEverySubFolderIsWalked) {
    MakeEntries(backup,
                {L"Favorite2.dat.1", L"FAVORITE2", L"other.dat", L"favorite2-old\\", L"favorite2-old\\favorite2.x",
                 L"favorite2-old\\y", L"sub\\", L"sub\\deeper\\", L"sub\\deeper\\favorite2.dat.3"});
    const Scan scan = ScanFolder(backup, L"Favorite2*.*");
    // Without regard to case, and the trailing ".*" also matches a name without a full stop.
    EXPECT_EQ(scan.RowNames(),
              (Names{L"FAVORITE2", L"favorite2-old", L"Favorite2.dat.1", L"favorite2.x", L"favorite2.dat.3"}));
    scan.ExpectNumberedFrom(1);
}

// Sizes of 2 GiB and more are exact; a folder's row carries its own last-write time and no size.
TEST_F(BackupScan, RowsCarrySizeAndLastWriteTime) {
    constexpr std::uint64_t kFebruary2012 = 129748251000000000;  // 27 February 2012 14:05 UTC
    constexpr std::uint64_t kMarch2009 = 128805426000000000;     // 3 March 2009 08:30 UTC
    MakeEntries(backup, {L"old\\", L"old\\inner.dat", L"empty"});
    WriteBytes(backup + L"\\Favorite2.dat.2012.02.27.22", std::string(12345, 'x'));
    ASSERT_TRUE(SetLastWriteTime(backup + L"\\Favorite2.dat.2012.02.27.22", kFebruary2012));
    ASSERT_TRUE(SetLastWriteTime(backup + L"\\old", kMarch2009));
    WriteBytes(backup + L"\\empty", "");
    for (const auto& [name, size] : {std::pair{L"\\two-gib", 2147483648LL}, std::pair{L"\\five-gib", 5368709121LL}}) {
        const UniqueFileHandle file{
            CreateFileW((backup + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)};
        // Setting the end leaves a sparse file on the host: no disk space is used.
        ASSERT_TRUE(SetFilePointerEx(file.Get(), LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.Get()));
    }

    const Scan scan = ScanFolder(backup);
    const ScanRow copy = scan.Row(L"Favorite2.dat.2012.02.27.22");
    EXPECT_EQ(std::tuple(copy.size, copy.lastWriteTime, copy.isFolder), std::tuple(12345u, kFebruary2012, false));
    const ScanRow folder = scan.Row(L"old");
    EXPECT_EQ(std::tuple(folder.size, folder.lastWriteTime, folder.isFolder), std::tuple(0u, kMarch2009, true));
    EXPECT_EQ(scan.Row(L"empty").size, 0u);
    EXPECT_EQ(scan.Row(L"inner.dat").size, 13u);
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
    scan.ExpectNumberedFrom(1);
}

// Links: inner/up points at its parent, self at the backup folder; Wine shows no link that points at nothing.
TEST(BackupScanTrees, LinksToFoldersAreListedOnceAndNotEntered) {
    const std::wstring backup = SetUpTree(L"links");
    ASSERT_EQ(GetFileAttributesW((backup + L"\\self").c_str()),
              DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT});
    const Scan scan = ScanFolder(backup);
    EXPECT_EQ(scan.RowNames(), (Names{L"a.dat", L"file-link", L"inner", L"self", L"b.dat", L"up"}));
    scan.ExpectNumberedFrom(1);
    EXPECT_TRUE(scan.Row(L"self").isFolder && scan.Row(L"up").isFolder);
}

// 600 levels, each with a file "f" and the next level "d": paths far past the plain limit of 260 characters.
TEST(BackupScanTrees, DeepTreeIsWalkedToTheBottom) {
    const Scan scan = ScanFolder(SetUpTree(L"deep"));
    ASSERT_EQ(scan.rows.size(), 1200u);
    for (std::size_t i = 0; i < scan.rows.size(); i += 2) {
        ASSERT_EQ(scan.rows[i].name + scan.rows[i + 1].name, L"df") << i;
    }
    scan.ExpectNumberedFrom(1);
}

// More sub-folders in one folder, and more rows, than a 16-bit count holds: 32,770 folders, the last with a file.
TEST(BackupScanTrees, CountsGoPast32767) {
    const Scan scan = ScanFolder(SetUpTree(L"wide"));
    ASSERT_EQ(scan.rows.size(), 32771u);
    EXPECT_EQ(scan.rows[32767].name, L"s32767");
    EXPECT_EQ(scan.rows[32769].name, L"s32769");
    EXPECT_EQ(scan.rows.back().name, L"last.dat");
    scan.ExpectNumberedFrom(1);
}
