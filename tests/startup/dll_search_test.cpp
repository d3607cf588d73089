// A DLL dropped beside the program is not loaded once the program has restricted the DLL search.
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

DWORD RunProbe(const wchar_t* mode) {
    const std::wstring runner = TestBinaryFolder() + L"\\dll_search_runner.exe";
    std::wstring commandLine = QuoteArgument(runner) + L' ' + mode;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(runner.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return 99;
    }
    const UniqueKernelHandle process{info.hProcess};
    const UniqueKernelHandle thread{info.hThread};
    WaitForSingleObject(process.Get(), 10000);
    DWORD code = 99;
    GetExitCodeProcess(process.Get(), &code);
    return code;
}

}  // namespace

TEST(DllSearch, ADllBesideTheProgramIsLoadedOnlyWithoutTheRestriction) {
    EXPECT_EQ(RunProbe(L"open"), 0u);
    EXPECT_EQ(RunProbe(L"restricted"), 1u);
}
