// Random texts through the address check and the digest, for the sanitizers, with properties that must hold.
#include "account/email_check.h"
#include "digest/md5.h"
#include "digest/utf16le.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace std::string_view_literals;

namespace {

// `length` code units drawn from `alphabet`, or of any value at all when it is empty.
std::wstring RandomText(std::mt19937& random, std::size_t length, std::wstring_view alphabet = {}) {
    std::wstring text(length, L'\0');
    for (auto& c : text)
        c = alphabet.empty() ? static_cast<wchar_t>(random() & 0x7FFFFFFF) : alphabet[random() % alphabet.size()];
    return text;
}

// Mostly address-shaped texts with up to three random changes, so both answers come up often.
std::wstring AddressLike(std::mt19937& random) {
    const auto label = [&] { return RandomText(random, 1 + random() % 6, L"abcxyzABCXYZ0123456789_-"); };
    std::wstring text = label() + L'@' + label() + L'.' + label();
    // Characters that the check treats differently, weighted toward the ones that make addresses.
    const std::wstring_view pieces = L"aZ9_-.@@..+ '\t\n\0\x7F张😀\uFF41\u212A\xD800\xDFFF\uFFFF"sv;
    for (auto changes = random() % 4; changes > 0 && !text.empty(); --changes) {
        const std::size_t at = random() % text.size();
        const std::wstring piece(1, pieces[random() % pieces.size()]);
        text.replace(at, random() % 2, random() % 2 ? piece : L"");
    }
    return text;
}

std::wstring UpperAscii(std::wstring text) {
    for (auto& c : text)
        c = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    return text;
}

bool IsLowerHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

// Letter case changes neither the check's answer nor leaves the digest alone; an accepted address has one "@",
// no "..", and stops being one with a further "@", a trailing "." or a leading "+".
TEST(AccountTextFuzz, AddressCheckAndDigestAnswersAreConsistent) {
    std::mt19937 random(4242);
    int accepted = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::wstring text = AddressLike(random);
        const bool valid = IsValidEmail(text);
        accepted += valid;
        ASSERT_EQ(IsValidEmail(UpperAscii(text)), valid) << testing::PrintToString(text);
        ASSERT_TRUE(!valid ||
                    (std::count(text.begin(), text.end(), L'@') == 1 && text.find(L"..") == std::wstring::npos &&
                     !IsValidEmail(text + L'@') && !IsValidEmail(text + L'.') && !IsValidEmail(L'+' + text)))
            << testing::PrintToString(text);
        if (i % 10 == 0 && UpperAscii(text) != text) {
            ASSERT_NE(DigestText(Utf16LeBytes(UpperAscii(text)), 32), DigestText(Utf16LeBytes(text), 32));
        }
    }
    // The texts must reach both answers, or the loop tests little.
    EXPECT_GT(accepted, 20000);
    EXPECT_LT(accepted, 180000);
}

TEST(AccountTextFuzz, NoiseIsRefusedAndDigestedWithoutFault) {
    std::mt19937 random(1321);
    for (int i = 0; i < 20000; ++i) {
        const std::wstring text = RandomText(random, random() % 301);
        // Random code units up to 0x7FFFFFFF are next to never ASCII, so no such text is an address.
        ASSERT_TRUE(text.size() < 2 || !IsValidEmail(text));
        const std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
        ASSERT_GE(bytes.size(), 2 * text.size());
        ASSERT_LE(bytes.size(), 4 * text.size());
        const std::string full = DigestText(bytes, 32);
        ASSERT_EQ(full.size(), 32u);
        ASSERT_TRUE(IsLowerHex(full)) << full;
        ASSERT_EQ(DigestText(bytes, i % 64 == 32 ? 16 : i % 64), full.substr(8, 16));
    }
}
