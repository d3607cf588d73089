// The account address check: which texts pass, grouped by the rule that decides.
#include "account/email_check.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

TEST(IsValidEmail, AcceptedAndRefusedAddresses) {
    const std::wstring kLong(100000, L'a');
    const std::wstring kAccepted[] = {
        L"user@example.com", L"USER@EXAMPLE.COM", L"User.Name@Example.Cn", L"first.last@mail.example.org",
        // Hyphens, underscores and digits anywhere; domains of digits when the last label fits.
        L"-a_1@-b_.io", L"007@agent.uk", L"1@2.34", L"a@10.0.0.12", L"a@b.x-y", kLong + L"@" + kLong + L".com"};
    const std::wstring kRefused[] = {
        // Not exactly one "@" with text on both sides.
        L"", L"userexample.com", L"a@b@c.com", L"@example.com", L"user@", kLong, std::wstring(100000, L'@'),
        // A domain without a full stop, or a last label of other than two or three characters.
        L"user@localhost", L"1@2.3", L"a@192.168.1.1", L"a@b.info", L"a@b.com1", kLong + L"@example." + kLong,
        // A full stop at either end of either part, or two in a row.
        L".user@example.com", L"user.@example.com", L"user@.example.com", L"user@example.com.", L"us..er@example.com",
        L"user@example..com", std::wstring(100000, L'.'),
        // Other characters: ASCII, non-ASCII (some lower-case to ASCII letters), control characters and NUL.
        L"a+b@example.com", L"a b@example.com", L"张三@example.com", L"user@例子.com", L"\u212Aelvin@example.com",
        L"ｕser@example.com", L"😀@example.com", L"user\t@example.com", L"user@example.com\n", L"us\0er@example.com"s,
        L"user@example.com\0"s,
        L"user@ex\x7F"
        L"ample.com"};
    for (const std::wstring& address : kAccepted)
        EXPECT_TRUE(IsValidEmail(address)) << testing::PrintToString(address.substr(0, 60));
    for (const std::wstring& address : kRefused)
        EXPECT_FALSE(IsValidEmail(address)) << testing::PrintToString(address.substr(0, 60));
}
