#include "browser/process_search.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kName[] = L"Sogouexplorer.exe";

// Starts the helper program under `relativePath` inside a temporary folder and asks about the browser.
bool FoundWhileRunningAs(const std::wstring& relativePath) {
    const TempFolder folder(L"qb-browser");
    HelperProcess helper = HelperProcess::StartAs(folder / relativePath, {});
    const bool found = IsProcessRunning(kName);
    helper.Stop();
    return found;
}

}  // namespace

TEST(IsProcessRunning, FindsTheBrowserWhateverTheCaseOfItsPath) {
    EXPECT_TRUE(FoundWhileRunningAs(L"Sogouexplorer.exe"));
    EXPECT_TRUE(FoundWhileRunningAs(L"SogouExplorer\\SOGOUEXPLORER.EXE"));
    EXPECT_TRUE(FoundWhileRunningAs(L"sogouexplorer.exe"));
}

TEST(IsProcessRunning, MatchesTheNameAnywhereInThePath) {
    EXPECT_TRUE(FoundWhileRunningAs(L"sogouexplorer.exe.old\\x.exe"));
}

TEST(IsProcessRunning, DoesNotMatchALongerFileName) {
    EXPECT_FALSE(FoundWhileRunningAs(L"Sogouexplorer2.exe"));
    EXPECT_FALSE(FoundWhileRunningAs(L"Sogouexplorer.ex"));
}

TEST(IsProcessRunning, IsFalseWhenNoBrowserRunsAndFalseAgainAfterItEnds) {
    EXPECT_FALSE(IsProcessRunning(kName));
    const TempFolder folder(L"qb-browser");
    {
        HelperProcess helper = HelperProcess::StartAs(folder / kName, {});
        EXPECT_TRUE(IsProcessRunning(kName));
    }
    EXPECT_FALSE(IsProcessRunning(kName));
}

TEST(IsProcessRunning, SeesItsOwnProcessLikeAnyOther) {
    EXPECT_TRUE(IsProcessRunning(L"process_search_test.exe"));
}

TEST(IsProcessRunning, LeavesNoHandleOpenOverManyCalls) {
    const TempFolder folder(L"qb-browser");
    HelperProcess helper = HelperProcess::StartAs(folder / kName, {});
    // A handle left open keeps its slot, so the next free handle value would rise.
    const auto nextHandle = [] {
        const HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        CloseHandle(probe);
        return probe;
    };
    ASSERT_TRUE(IsProcessRunning(kName));
    ASSERT_FALSE(IsProcessRunning(L"no-such-program.exe"));
    const HANDLE before = nextHandle();
    for (int i = 0; i < 200; ++i) {
        IsProcessRunning(kName);
        IsProcessRunning(L"no-such-program.exe");
    }
    EXPECT_EQ(nextHandle(), before);
}

TEST(ContainsIgnoringCase, FoldsCaseWithoutTheUsersLocale) {
    EXPECT_TRUE(ContainsIgnoringCase(L"C:\\PROGRAM FILES\\SOGOUEXPLORER\\SOGOUEXPLORER.EXE", kName));
    EXPECT_TRUE(ContainsIgnoringCase(L"C:\\Ünïcode\\ÄÖ\\x.exe", L"\\äö\\"));
    EXPECT_TRUE(ContainsIgnoringCase(L"C:\\IDEA\\x.exe", L"idea"));
    EXPECT_FALSE(ContainsIgnoringCase(L"C:\\Sogouexplorer.ex", kName));
    EXPECT_TRUE(ContainsIgnoringCase(L"anything", L""));
}
