// IsProcessRunning against real processes: copies of the helper program under chosen paths.
#include "browser/process_search.h"

#include "test_support.h"

#include <gtest/gtest.h>

// The name matches anywhere in the full path whatever the case, and no call leaves a handle open.
TEST(IsProcessRunning, MatchesTheNameAnywhereInTheRunningPathAndLeaksNoHandle) {
    constexpr wchar_t kName[] = L"Sogouexplorer.exe";
    const std::pair<const wchar_t*, bool> kCases[] = {
        {L"SogouExplorer\\SOGOUEXPLORER.EXE", true}, {L"sogouexplorer.exe.old\\x.exe", true},
        {L"Sogouexplorer2.exe", false}, {L"Sogouexplorer.ex", false}};
    for (const auto& [path, found] : kCases) {
        const TempFolder folder(L"qb-browser");
        HelperProcess helper = HelperProcess::StartAs(folder / path, {});
        EXPECT_EQ(IsProcessRunning(kName), found) << path;
    }

    // The next free handle value: a handle left open keeps its slot, so this would rise.
    const HANDLE before = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(before);
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(IsProcessRunning(L"PROCESS_SEARCH_TEST.EXE"));
        ASSERT_FALSE(IsProcessRunning(kName));
    }
    const HANDLE after = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(after);
    EXPECT_EQ(after, before);
}
