// StripNulls: the name field of a search record made into a text.
#include "account/scan_row.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(StripNulls, CutsBeforeTheFirstNulInTheCallersTextToo) {
    std::wstring field = L"Favorite2.dat.2012.02.27.22"s;
    field.resize(260, L'\0');
    EXPECT_EQ(StripNulls(field), L"Favorite2.dat.2012.02.27.22");
    EXPECT_EQ(field, L"Favorite2.dat.2012.02.27.22");

    std::wstring twoNames = L"first\0second\0\0"s;
    EXPECT_EQ(StripNulls(twoNames), L"first");
    EXPECT_EQ(twoNames, L"first");

    std::wstring leadingNul = L"\0name"s;
    EXPECT_EQ(StripNulls(leadingNul), L"");
    EXPECT_EQ(leadingNul, L"");
}

TEST(StripNulls, KeepsATextWithoutNul) {
    std::wstring name = L"备份 2012.dat";
    EXPECT_EQ(StripNulls(name), L"备份 2012.dat");
    EXPECT_EQ(name, L"备份 2012.dat");
    std::wstring empty;
    EXPECT_EQ(StripNulls(empty), L"");
}
