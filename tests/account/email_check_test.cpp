// The account address check: which texts pass, grouped by the rule that decides.
#include "account/email_check.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

TEST(IsValidEmail, Accepted) {
    const std::wstring kLong(100000, L'a');
    const std::wstring kAccepted[] = {
        L"user@example.com", L"a@b.cn", L"first.last@mail.example.org", L"x@y.z.abc", L"zhang.san_01@sogou-mail.com",
        // Upper-case letters in both parts.
        L"USER@EXAMPLE.COM", L"User.Name@Example.Com", L"a@b.CN", L"a@b.Cn",
        // Hyphens, underscores and digits anywhere, domains of digits when the last label fits.
        L"-@-.io", L"_a_@_b_.cn", L"-user-@-host-.com", L"a-b_c@d_e-f.gh_", L"007@agent.uk", L"123@456.789", L"1@2.34",
        L"a@10.0.0.12",
        // A last label of two or three characters of any kind; single full stops anywhere inside.
        L"a@b.com", L"a@b.c1", L"a@b.x-y", L"a@b.__", L"a@info.b.cn", L"u.s.e.r@e.x.a.m.p.l.e.com",
        kLong + L"@example.com", L"user@" + kLong + L".cn", kLong + L"@" + kLong + L".com"};
    for (const std::wstring& address : kAccepted)
        EXPECT_TRUE(IsValidEmail(address)) << address.substr(0, 60);
}

TEST(IsValidEmail, Refused) {
    const std::wstring kLong(100000, L'a');
    const std::wstring kRefused[] = {
        // Not exactly one "@" with text on both sides.
        L"", L"userexample.com", L"a@b@c.com", L"a@@b.com", L"@@", L"@", L"@example.com", L"user@",
        L"user@example.com@", kLong, std::wstring(100000, L'@'),
        // Other characters wherever they stand: ASCII, non-ASCII, control characters and NUL.
        L"a+b@example.com", L"a b@example.com", L" user@example.com", L"user@example.com ", L"o'neil@example.com",
        L"user@exa mple.com", L"user@example.c+m", L"user!@example.com", L"\"user\"@example.com", L"user@[10.0.0.1]",
        L"user@example/com", L"user\\x@example.com", L"张三@example.com", L"user@例子.com", L"user@example.中国",
        L"josé@example.com", L"ｕser@example.com", L"😀@example.com", L"user@😀.com", kLong + L"+@example.com",
        L"user\t@example.com", L"user@example.com\n", L"\ruser@example.com", L"us\0er@example.com"s,
        L"user@example.com\0"s,
        L"user@\x7F"
        L"example.com",
        L"user@ex\x1B"
        L"ample.com",
        // These lower-case to ASCII letters under Unicode rules, and are still no address characters.
        L"\u212Aelvin@example.com", L"\u0130stanbul@example.com", L"user@example.co\u212A",
        // A domain without a full stop, or a last label of other than two or three characters.
        L"user@localhost", L"user@com", L"a@b", L"1@2.3", L"1@2.3456", L"a@192.168.1.1", L"a@b.c", L"a@b.info",
        L"a@b.museum", L"a@b.com1", L"a@b.cn.c", kLong + L"@example." + kLong, kLong + L"@example.com" + kLong,
        // A full stop at either end of either part, or two in a row anywhere.
        L".user@example.com", L"user.@example.com", L"user@.example.com", L"user@example.com.", L".@example.com",
        L"user@.", L"user@.cn", std::wstring(100000, L'.'), L"us..er@example.com", L"user@example..com",
        L"user@ex...ample.com", L"a..b@c..d.com"};
    for (const std::wstring& address : kRefused) {
        EXPECT_FALSE(IsValidEmail(address)) << testing::PrintToString(address.substr(0, 60));
    }
}
