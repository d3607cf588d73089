// An image dropped beside the program is not loaded once the program has restricted the DLL search.
#include "startup/dll_search.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(DllSearch, AnImageBesideTheProgramIsLoadedOnlyWithoutTheRestriction) {
    // Any image beside the test program will do: the helper program of the other tests.
    const HMODULE open = LoadLibraryW(L"qb_test_helper.exe");
    ASSERT_TRUE(open);
    ASSERT_TRUE(FreeLibrary(open));
    RestrictDllSearch();
    EXPECT_EQ(LoadLibraryW(L"qb_test_helper.exe"), nullptr);
}
