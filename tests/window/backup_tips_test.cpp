// What a backup's tip tells after its name: the size with its unit, the time, the comparison with the current
// favorites to a whole per cent, the copies it is the same as (three named, the rest counted), damage, and why a
// backup that could not be read tells nothing more.
#include "window/backup_tips.h"

#include <gtest/gtest.h>

namespace {

std::wstring LastLine(const std::wstring& text) {
    return text.substr(text.rfind(L'\n') + 1);
}

}  // namespace

TEST(SizeText, AsExplorerTellsItOnChineseWindows) {
    EXPECT_EQ(SizeText(0), L"0 字节 (0 字节)");
    EXPECT_EQ(SizeText(1023), L"1023 字节 (1,023 字节)");
    EXPECT_EQ(SizeText(2047), L"1.99 KB (2,047 字节)");
    EXPECT_EQ(SizeText(409600), L"400 KB (409,600 字节)");
    EXPECT_EQ(SizeText(1023999), L"999 KB (1,023,999 字节)");
    EXPECT_EQ(SizeText(1024000), L"0.97 MB (1,024,000 字节)");
    EXPECT_EQ(SizeText(52428800), L"50.0 MB (52,428,800 字节)");
    EXPECT_EQ(SizeText(1ull << 30), L"1.00 GB (1,073,741,824 字节)");
}

TEST(FactLines, SizeTimeComparisonSameCopiesDamageAndWhatWasNotRead) {
    BackupFacts facts;
    facts.size = 38000;
    facts.favorites = FavoritesMatch::Different;
    facts.favoritesSize = 100000;
    EXPECT_EQ(FactLines(facts, L"2012年2月27日 22时"),
              L"\n文件大小：37.1 KB (38,000 字节)\n保存时间：2012年2月27日 22时\n比当前收藏夹小 62%");
    facts.size = 105000;
    EXPECT_EQ(LastLine(FactLines(facts, L"")), L"比当前收藏夹大 5%");
    facts.size = 100400;
    EXPECT_EQ(LastLine(FactLines(facts, L"")), L"比当前收藏夹大不到 1%");
    facts.size = 100000;
    EXPECT_EQ(LastLine(FactLines(facts, L"")), L"与当前收藏夹大小相同，内容不同");
    facts.favoritesSize = 0;
    EXPECT_EQ(LastLine(FactLines(facts, L"")), L"当前收藏夹是空文件");
    facts.favorites = FavoritesMatch::Unread;
    facts.favoritesUnreadable = L"另一个程序正在使用它";
    EXPECT_EQ(LastLine(FactLines(facts, L"")), L"现在读不出当前收藏夹，无法比较：另一个程序正在使用它");
    facts.favorites = FavoritesMatch::NoFavorites;
    facts.sameAs = {L"a", L"b", L"c", L"d", L"e"};
    facts.damaged = true;
    EXPECT_EQ(FactLines(facts, L""),
              L"\n文件大小：97.6 KB (100,000 字节)\n当前没有收藏夹文件\n与 a 相同\n与 b 相同\n与 c 相同\n"
              L"另有 2 份备份与它相同\n文件不完整或已损坏");
    facts.favorites = FavoritesMatch::Same;
    facts.sameAs.clear();
    facts.damaged = false;
    EXPECT_EQ(LastLine(FactLines(facts, L"")), L"与当前收藏夹相同");
    facts.unreadable = L"它已经不在了";
    EXPECT_EQ(FactLines(facts, L"t"),
              L"\n文件大小：97.6 KB (100,000 字节)\n保存时间：t\n现在读不出这份备份：它已经不在了");
    facts.listed = false;
    EXPECT_EQ(FactLines(facts, L"t"), L"\n这份备份已经不在备份目录里了");
}
