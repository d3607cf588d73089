#include "browser/process_search.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kName[] = L"Sogouexplorer.exe";

// The next free handle value: a handle left open keeps its slot, so this would rise.
HANDLE NextHandle() {
    const HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return probe;
}

}  // namespace

// A real process under each path: the name matches anywhere in the full path, whatever the case.
TEST(IsProcessRunning, MatchesTheNameAnywhereInTheRunningPathIgnoringCase) {
    const std::pair<const wchar_t*, bool> kCases[] = {
        {L"Sogouexplorer.exe", true},   {L"SogouExplorer\\SOGOUEXPLORER.EXE", true},
        {L"sogouexplorer.exe", true},   {L"sogouexplorer.exe.old\\x.exe", true},
        {L"Sogouexplorer2.exe", false}, {L"Sogouexplorer.ex", false},
    };
    EXPECT_FALSE(IsProcessRunning(kName));
    for (const auto& [path, found] : kCases) {
        const TempFolder folder(L"qb-browser");
        HelperProcess helper = HelperProcess::StartAs(folder / path, {});
        EXPECT_EQ(IsProcessRunning(kName), found) << path;
    }
    EXPECT_FALSE(IsProcessRunning(kName));
    EXPECT_TRUE(IsProcessRunning(L"process_search_test.exe"));
}

TEST(IsProcessRunning, LeavesNoHandleOpenOverManyCalls) {
    const TempFolder folder(L"qb-browser");
    HelperProcess helper = HelperProcess::StartAs(folder / kName, {});
    ASSERT_TRUE(IsProcessRunning(kName));
    ASSERT_FALSE(IsProcessRunning(L"no-such-program.exe"));
    const HANDLE before = NextHandle();
    for (int i = 0; i < 200; ++i) {
        IsProcessRunning(kName);
        IsProcessRunning(L"no-such-program.exe");
    }
    EXPECT_EQ(NextHandle(), before);
}

TEST(ContainsIgnoringCase, FoldsCaseWithoutTheUsersLocale) {
    EXPECT_TRUE(ContainsIgnoringCase(L"C:\\PROGRAM FILES\\SOGOUEXPLORER\\SOGOUEXPLORER.EXE", kName));
    EXPECT_TRUE(ContainsIgnoringCase(L"C:\\Ünïcode\\ÄÖ\\x.exe", L"\\äö\\"));
    EXPECT_TRUE(ContainsIgnoringCase(L"C:\\IDEA\\x.exe", L"idea"));
    EXPECT_FALSE(ContainsIgnoringCase(L"C:\\Sogouexplorer.ex", kName));
    EXPECT_TRUE(ContainsIgnoringCase(L"anything", L""));
}
