// The backup folder scan on a real tree, and the size and time texts of its rows.
#include "account/backup_scan.h"
#include "account/column_texts.h"
#include "account/time_column.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The tree that make_scan_trees.sh made in the test's working folder before the tests.
static const std::wstring kBackup = L"scan-trees\\backup";

// A folder's entries come first, hidden ones and sub-folders among them, then each sub-folder in full, numbered
// on from the caller's counter; "." and ".." are no rows, and links to folders are rows that are not entered.
TEST(BackupScan, WalksSubFoldersAfterTheirFolderAndEntersNoLink) {
    ASSERT_TRUE(SetFileAttributesW((kBackup + L"\\z.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((kBackup + L"\\s").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    std::uint64_t counter = 41;
    ScanRows rows;
    FindFilesAPI(kBackup, L"*.*", counter, rows);
    std::wstring names;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        names += std::wstring(rows.Name(i)) + (rows[i].isFolder ? L"\\ " : L" ");
        EXPECT_EQ(rows[i].number, 42 + i);
        // Each row knows its folder: the walked one, or a sub-folder of it.
        EXPECT_TRUE(rows.Folder(i).starts_with(kBackup)) << Utf8(rows.Folder(i));
    }
    EXPECT_EQ(rows.Folder(rows.size() - 1), kBackup + L"\\s");
    EXPECT_EQ(names, L"a.dat m\\ s\\ self\\ z.dat n.dat o\\ r.dat p.dat q\\ up\\ t ");
    EXPECT_EQ(counter, 41 + rows.size());
}

// Local times by the summer-time rule of their own date: CMakeLists.txt runs this in Berlin's time zone, under
// the user locale of LC_ALL.
TEST(BackupScan, SizeAndTimeColumnTexts) {
    const char* locale = std::getenv("LC_ALL");
    const bool chinese = locale && std::string_view(locale).starts_with("zh_CN");
    std::uint64_t counter = 0;
    ScanRows rows;
    FindFilesAPI(kBackup, L"*.*", counter, rows);
    ASSERT_TRUE(rows.size() > 2 && rows.Name(0) == L"a.dat" && rows.Name(1) == L"m");
    // Sizes past 32 bits are whole; a folder shows none, but its own time.
    EXPECT_EQ(SizeColumnText(rows[0]), L"5368709121");
    EXPECT_EQ(SizeColumnText(rows[1]), L"");
    EXPECT_EQ(TimeColumnText(rows[0]), chinese ? L"22:05 2012/二月/27" : L"22:05 2012/February/27");
    EXPECT_EQ(TimeColumnText(rows[1]), chinese ? L"08:30 2009/七月/03" : L"08:30 2009/July/03");
    EXPECT_EQ(TimeColumnText(ScanRow{}), L"");
}
