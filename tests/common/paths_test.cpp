#include "common/paths.h"

#include <gtest/gtest.h>

TEST(IsAbsolutePath, OnlyADriveRootOrAServerShare) {
    for (const wchar_t* path : {LR"(C:\)", LR"(c:\Program Files\Sogou)", LR"(\\server\share)", LR"(\\nas\s\x)"})
        EXPECT_TRUE(IsAbsolutePath(path)) << path;
    for (const wchar_t* path : {L"", L"C:", L"C:Sogou", LR"(\Sogou)", LR"(Sogou\Explorer)", LR"(.\x)", LR"(\\)",
                                LR"(\\server)", LR"(\\server\)", LR"(\\\share)", LR"(1:\x)"})
        EXPECT_FALSE(IsAbsolutePath(path)) << path;
}

TEST(ExactPathForm, DrivesAndSharesGetTheLiteralPrefixOnce) {
    EXPECT_EQ(ExactPathForm(LR"(C:\R\Favorite2.dat. )"), LR"(\\?\C:\R\Favorite2.dat. )");
    EXPECT_EQ(ExactPathForm(LR"(\\nas\share\x)"), LR"(\\?\UNC\nas\share\x)");
    EXPECT_EQ(ExactPathForm(LR"(\\?\C:\x)"), LR"(\\?\C:\x)");
    EXPECT_EQ(ExactPathForm(LR"(\\.\C:\x)"), LR"(\\.\C:\x)");
    EXPECT_EQ(LastComponent(LR"(C:\R\DailyBackup)"), L"DailyBackup");
}
