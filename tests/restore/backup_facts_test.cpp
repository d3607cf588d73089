#include "restore/backup_facts.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::wstring LastLine(const std::wstring& text) { return text.substr(text.rfind(L'\n') + 1); }

}  // namespace

// A clear header is whole with bytes 21 to 23 at 64, 32, 32, a page size that is a power of two from 512 to 65536
// (1 standing for 65536), and a whole number of pages; anything short of that, or an empty file, is not.
TEST(HeaderIsWhole, ClearBytesAndWholePages) {
    std::array<unsigned char, 24> header{};
    header[16] = 0x10;  // 4096
    header[20] = 12;
    header[21] = 64, header[22] = 32, header[23] = 32;
    EXPECT_TRUE(HeaderIsWhole(header, 4096 * 7));
    EXPECT_FALSE(HeaderIsWhole(header, 4096 * 7 + 100));
    EXPECT_FALSE(HeaderIsWhole(header, 0));
    EXPECT_FALSE(HeaderIsWhole(std::span(header).first(23), 4096));
    header[16] = 0, header[17] = 1;  // 65536
    EXPECT_TRUE(HeaderIsWhole(header, 65536 * 2));
    for (const unsigned pageSize : {256u, 3000u, 0u}) {
        header[16] = static_cast<unsigned char>(pageSize >> 8), header[17] = static_cast<unsigned char>(pageSize);
        EXPECT_FALSE(HeaderIsWhole(header, 65536 * 3)) << pageSize;
    }
    header[16] = 0x04, header[17] = 0;  // 1024
    header[22] = 31;
    EXPECT_FALSE(HeaderIsWhole(header, 1024));
}

// The size as the size column shows it, the time, the comparison with the current favorites to a whole per cent, the
// copies it is the same as (three named, the rest counted), and damage.
TEST(FactLines, SizeTimeComparisonSameCopiesAndDamage) {
    BackupFacts facts{38000, L"2012年2月27日 22时", VersusFavorites::OtherBytes, 100000, {}, false};
    EXPECT_EQ(FactLines(facts), L"\n文件大小：38000\n保存时间：2012年2月27日 22时\n比当前收藏夹小 62%");
    facts.size = 105000;
    EXPECT_EQ(LastLine(FactLines(facts)), L"比当前收藏夹大 5%");
    facts.size = 100400;
    EXPECT_EQ(LastLine(FactLines(facts)), L"比当前收藏夹大不到 1%");
    facts.size = 100000;
    EXPECT_EQ(LastLine(FactLines(facts)), L"与当前收藏夹大小相同，内容不同");
    facts.favoritesSize = 0;
    EXPECT_EQ(LastLine(FactLines(facts)), L"当前收藏夹是空文件");
    facts.versus = VersusFavorites::NoFavorites;
    facts.time.clear();
    facts.sameAs = {L"a", L"b", L"c", L"d", L"e"};
    facts.damaged = true;
    EXPECT_EQ(FactLines(facts),
              L"\n文件大小：100000\n当前没有收藏夹文件\n与 a 相同\n与 b 相同\n与 c 相同\n另有 2 份备份与它相同\n文件不完整或已损坏");
    facts.versus = VersusFavorites::Same;
    facts.sameAs.clear();
    facts.damaged = false;
    EXPECT_EQ(FactLines(facts), L"\n文件大小：100000\n与当前收藏夹相同");
}
