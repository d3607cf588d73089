// IsProcessRunning against real processes, copies of the helper program under chosen paths, and against a process
// list that cannot be read.
#include "browser/process_search.h"

#include "filesystem/file_exists.h"
#include "test_support.h"

#include <gtest/gtest.h>

// The name matches anywhere in the full path whatever the case, and no call leaves a handle open. A browser of the
// other bitness is found too: a 32-bit build reads a 64-bit process's path and a 64-bit build a 32-bit one's; the
// helper of the other bitness stands in for it.
TEST(IsProcessRunning, MatchesTheNameAnywhereInTheRunningPathOfEitherBitnessAndLeaksNoHandle) {
    constexpr wchar_t kName[] = L"Sogouexplorer.exe";
    const std::pair<const wchar_t*, bool> kCases[] = {{L"SogouExplorer\\SOGOUEXPLORER.EXE", true},
                                                      {L"sogouexplorer.exe.old\\x.exe", true},
                                                      {L"Sogouexplorer2.exe", false},
                                                      {L"Sogouexplorer.ex", false}};
    const std::wstring otherBitness =
        TestBinaryFolder() + (sizeof(void*) == 8 ? L"\\qb_test_helper32.exe" : L"\\qb_test_helper64.exe");
    ASSERT_TRUE(FileExists(otherBitness)) << "no test helper of the other bitness was built";
    for (const std::wstring& image : {std::wstring(), otherBitness}) {
        for (const auto& [path, found] : kCases) {
            const TempFolder folder(L"qb-browser");
            const HelperProcess browser = HelperProcess::StartAs(folder / path, {}, image);
            EXPECT_EQ(IsWow64(browser.Handle()) != IsWow64(GetCurrentProcess()), !image.empty());
            EXPECT_EQ(IsProcessRunning(kName), found ? ProcessCheck::Running : ProcessCheck::NotRunning) << Utf8(path);
        }
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
