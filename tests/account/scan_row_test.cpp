// StripNulls: the name field of a search record made into a text.
#include "account/scan_row.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(StripNulls, CutsBeforeTheFirstNulInTheCallersTextToo) {
    const std::pair<std::wstring, std::wstring> kCases[] = {
        {L"Favorite2.dat.2012.02.27.22"s + std::wstring(233, L'\0'), L"Favorite2.dat.2012.02.27.22"},
        {L"first\0second\0\0"s, L"first"},
        {L"\0name"s, L""},
        {L"备份 2012.dat", L"备份 2012.dat"},
        {L"", L""},
    };
    for (auto [field, name] : kCases) {
        EXPECT_EQ(StripNulls(field), name);
        EXPECT_EQ(field, name);
    }
}
