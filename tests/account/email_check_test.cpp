// The account address check: which texts pass, grouped by the rule that decides.
#include "account/email_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectAll(std::initializer_list<std::wstring_view> addresses, bool expected) {
    for (const std::wstring_view address : addresses) {
        EXPECT_EQ(IsValidEmail(address), expected) << testing::PrintToString(std::wstring(address.substr(0, 60)));
    }
}

void ExpectAccepted(std::initializer_list<std::wstring_view> addresses) {
    ExpectAll(addresses, true);
}
void ExpectRefused(std::initializer_list<std::wstring_view> addresses) {
    ExpectAll(addresses, false);
}

}  // namespace

TEST(IsValidEmail, PlainAddressesPass) {
    ExpectAccepted(
        {L"user@example.com", L"a@b.cn", L"first.last@mail.example.org", L"x@y.z.abc", L"zhang.san_01@sogou-mail.com"});
}

TEST(IsValidEmail, ExactlyOneAtSignWithTextOnBothSides) {
    ExpectRefused({L"", L"userexample.com", L"a@b@c.com", L"a@@b.com", L"@@", L"@", L"@example.com", L"user@",
                   L"user@example.com@"});
}

TEST(IsValidEmail, UpperCaseLettersPassInBothParts) {
    ExpectAccepted({L"USER@EXAMPLE.COM", L"User.Name@Example.Com", L"a@b.CN", L"a@b.Cn"});
}

TEST(IsValidEmail, HyphensUnderscoresAndDigitsPassAnywhere) {
    ExpectAccepted({L"-@-.io", L"_a_@_b_.cn", L"-user-@-host-.com", L"a-b_c@d_e-f.gh_", L"007@agent.uk"});
}

TEST(IsValidEmail, DomainsOfDigitsPassWhenTheLastLabelFits) {
    ExpectAccepted({L"123@456.789", L"1@2.34", L"a@10.0.0.12"});
    ExpectRefused({L"1@2.3", L"1@2.3456", L"a@192.168.1.1"});
}

TEST(IsValidEmail, OtherCharactersAreRefusedWhereverTheyStand) {
    ExpectRefused({L"a+b@example.com", L"a b@example.com", L" user@example.com", L"user@example.com ",
                   L"o'neil@example.com", L"user@exa mple.com", L"user@example.c+m", L"user!@example.com",
                   L"\"user\"@example.com", L"user@[10.0.0.1]", L"user@example/com", L"user\\x@example.com"});
}

TEST(IsValidEmail, NonAsciiCharactersAreRefused) {
    ExpectRefused({L"张三@example.com", L"user@例子.com", L"user@example.中国", L"josé@example.com",
                   L"ｕser@example.com",  // full-width letter
                   L"😀@example.com", L"user@😀.com"});
    // These lower-case to ASCII letters under Unicode rules, and are still no address characters.
    ExpectRefused({L"\u212Aelvin@example.com", L"\u0130stanbul@example.com", L"user@example.co\u212A"});
}

TEST(IsValidEmail, ControlCharactersAndNulAreRefused) {
    using namespace std::string_view_literals;
    ExpectRefused({L"user\t@example.com"sv, L"user@example.com\n"sv, L"\ruser@example.com"sv, L"us\0er@example.com"sv,
                   L"user@example.com\0"sv,
                   L"user@\x7F"
                   L"example.com"sv,
                   L"user@ex\x1B"
                   L"ample.com"sv});
}

TEST(IsValidEmail, DomainNeedsAFullStop) {
    ExpectRefused({L"user@localhost", L"user@com", L"a@b"});
}

TEST(IsValidEmail, LastDomainLabelHasTwoOrThreeCharacters) {
    ExpectAccepted({L"a@b.cn", L"a@b.com", L"a@b.c1", L"a@b.x-y", L"a@b.__", L"a@info.b.cn"});
    ExpectRefused({L"a@b.c", L"a@b.info", L"a@b.museum", L"a@b.com1", L"a@b.cn.c"});
}

TEST(IsValidEmail, NoFullStopAtEitherEndOfEitherPart) {
    ExpectRefused({L".user@example.com", L"user.@example.com", L"user@.example.com", L"user@example.com.",
                   L".@example.com", L"user@.", L"user@.cn"});
}

TEST(IsValidEmail, NoTwoFullStopsInARow) {
    ExpectRefused({L"us..er@example.com", L"user@example..com", L"user@ex...ample.com", L"a..b@c..d.com"});
    ExpectAccepted({L"u.s.e.r@e.x.a.m.p.l.e.com"});
}

TEST(IsValidEmail, VeryLongTexts) {
    const std::wstring longLocal(100000, L'a');
    ExpectAccepted(
        {longLocal + L"@example.com", L"user@" + longLocal + L".cn", longLocal + L"@" + longLocal + L".com"});
    ExpectRefused({longLocal + L"@example." + longLocal, longLocal + L"+@example.com", longLocal,
                   std::wstring(100000, L'@'), std::wstring(100000, L'.'), longLocal + L"@example.com" + longLocal});
}
