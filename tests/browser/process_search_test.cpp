// IsProcessRunning against real processes, copies of the helper program under chosen paths, and against a process
// list that cannot be read.
#include "browser/process_search.h"

#include "test_support.h"

#include <gtest/gtest.h>

// The name matches anywhere in the full path whatever the case, and no call leaves a handle open.
TEST(IsProcessRunning, MatchesTheNameAnywhereInTheRunningPathAndLeaksNoHandle) {
    constexpr wchar_t kName[] = L"Sogouexplorer.exe";
    const std::pair<const wchar_t*, bool> kCases[] = {{L"SogouExplorer\\SOGOUEXPLORER.EXE", true},
                                                      {L"sogouexplorer.exe.old\\x.exe", true},
                                                      {L"Sogouexplorer2.exe", false},
                                                      {L"Sogouexplorer.ex", false}};
    for (const auto& [path, found] : kCases) {
        const TempFolder folder(L"qb-browser");
        HelperProcess helper = HelperProcess::StartAs(folder / path, {});
        EXPECT_EQ(IsProcessRunning(kName), found ? ProcessCheck::Running : ProcessCheck::NotRunning) << path;
    }

    // The next free handle value: a handle left open keeps its slot, so this would rise.
    const HANDLE before = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(before);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(IsProcessRunning(L"PROCESS_SEARCH_TEST.EXE"), ProcessCheck::Running);
        ASSERT_EQ(IsProcessRunning(kName), ProcessCheck::NotRunning);
    }
    const HANDLE after = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(after);
    EXPECT_EQ(after, before);
}

// A browser of the other bitness is found too, also where only its full path names it: a 32-bit build reads a
// 64-bit process's path and a 64-bit build a 32-bit one's. The helper of the other bitness stands in for it.
TEST(IsProcessRunning, FindsABrowserOfTheOtherBitnessByItsFullPath) {
    const std::wstring helper =
        TestBinaryFolder() + (sizeof(void*) == 8 ? L"\\qb_test_helper32.exe" : L"\\qb_test_helper64.exe");
    if (GetFileAttributesW(helper.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no test helper of the other bitness was built";
    }
    constexpr wchar_t kName[] = L"Sogouexplorer.exe";
    const std::pair<const wchar_t*, bool> kCases[] = {{L"SogouExplorer\\SOGOUEXPLORER.EXE", true},
                                                      {L"sogouexplorer.exe.old\\x.exe", true},
                                                      {L"Sogouexplorer2.exe", false}};
    for (const auto& [path, found] : kCases) {
        const TempFolder folder(L"qb-browser");
        const std::wstring executable = folder / path;
        const HelperProcess browser = HelperProcess::StartAs(executable, {}, helper);
        EXPECT_NE(IsWow64(browser.Handle()), IsWow64(GetCurrentProcess())) << "the helper has this build's bitness";
        // Its whole path shows once it runs; then the name is looked for.
        bool running = false;
        for (int i = 0; i < 100 && !(running = IsProcessRunning(executable) == ProcessCheck::Running); ++i)
            Sleep(50);
        EXPECT_TRUE(running) << "the full path of " << Utf8(path) << " was never read";
        EXPECT_EQ(IsProcessRunning(kName), found ? ProcessCheck::Running : ProcessCheck::NotRunning) << Utf8(path);
    }
}

namespace {

NTSTATUS NTAPI Refused(SYSTEM_INFORMATION_CLASS, void*, ULONG, ULONG*) {
    return static_cast<NTSTATUS>(0xC0000022);
}

NTSTATUS NTAPI EverLonger(SYSTEM_INFORMATION_CLASS, void*, ULONG, ULONG*) {
    return static_cast<NTSTATUS>(0xC0000004);
}

}  // namespace

// A list that cannot be had, for a failing status or for ever more room asked, is no "not running".
TEST(IsProcessRunning, AnUnreadableProcessListTellsNothing) {
    EXPECT_EQ(IsProcessRunning(L"Sogouexplorer.exe", Refused), ProcessCheck::Unknown);
    EXPECT_EQ(IsProcessRunning(L"Sogouexplorer.exe", EverLonger), ProcessCheck::Unknown);
}
