// Random texts through the address check and the digest, for the sanitizers, with properties that must hold.
#include "account/email_check.h"
#include "digest/md5.h"
#include "digest/utf16le.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

// Characters that the check treats differently, weighted toward the ones that make addresses.
constexpr wchar_t kPieces[] = L"aZ9_-.@@..+ '\t\n\0\x7F张😀\uFF41\u212A\xD800\xDFFF\uFFFF";

class RandomTexts {
public:
    explicit RandomTexts(unsigned seed) : random_(seed) {}

    // Mostly address-shaped texts with a few random changes, so both answers come up often.
    std::wstring Next() {
        std::wstring text = Label() + L'@' + Label() + L'.' + Label();
        const int changes = Pick(0, 3);
        for (int i = 0; i < changes && !text.empty(); ++i) {
            const auto at = static_cast<std::size_t>(Pick(0, static_cast<int>(text.size()) - 1));
            switch (Pick(0, 2)) {
                case 0:
                    text[at] = Piece();
                    break;
                case 1:
                    text.insert(at, 1, Piece());
                    break;
                default:
                    text.erase(at, 1);
                    break;
            }
        }
        return text;
    }

    // Any code unit value at all, also ones that are no character.
    std::wstring Noise(int maxLength) {
        std::wstring text(static_cast<std::size_t>(Pick(0, maxLength)), L'\0');
        for (auto& c : text)
            c = static_cast<wchar_t>(Pick(0, 0x7FFFFFFF));
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    wchar_t Piece() { return kPieces[Pick(0, static_cast<int>(std::size(kPieces)) - 2)]; }
    std::wstring Label() {
        static constexpr wchar_t kLetters[] = L"abcxyzABCXYZ0123456789_-";
        std::wstring label(static_cast<std::size_t>(Pick(1, 6)), L'a');
        for (auto& c : label)
            c = kLetters[Pick(0, static_cast<int>(std::size(kLetters)) - 2)];
        return label;
    }

    std::mt19937 random_;
};

std::wstring UpperAscii(std::wstring text) {
    for (auto& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return text;
}

bool IsLowerHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

TEST(AccountTextFuzz, AddressCheckAnswersAreConsistent) {
    RandomTexts texts(4242);
    int accepted = 0;
    int refused = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::wstring text = texts.Next();
        const bool valid = IsValidEmail(text);
        (valid ? accepted : refused)++;
        ASSERT_EQ(IsValidEmail(UpperAscii(text)), valid) << testing::PrintToString(text);
        if (valid) {
            ASSERT_EQ(std::count(text.begin(), text.end(), L'@'), 1) << testing::PrintToString(text);
            ASSERT_EQ(text.find(L".."), std::wstring::npos) << testing::PrintToString(text);
            ASSERT_FALSE(IsValidEmail(text + L'@')) << testing::PrintToString(text);
            ASSERT_FALSE(IsValidEmail(text + L'.')) << testing::PrintToString(text);
            ASSERT_FALSE(IsValidEmail(L'+' + text)) << testing::PrintToString(text);
        }
    }
    // The texts must reach both answers, or the loop tests little.
    EXPECT_GT(accepted, 20000);
    EXPECT_GT(refused, 20000);
}

TEST(AccountTextFuzz, NoiseIsRefusedAndDigestedWithoutFault) {
    RandomTexts texts(1321);
    for (int i = 0; i < 20000; ++i) {
        const std::wstring text = texts.Noise(300);
        // Random code units up to 0x7FFFFFFF are next to never ASCII, so no such text is an address.
        if (text.size() > 1) {
            ASSERT_FALSE(IsValidEmail(text));
        }
        const std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
        ASSERT_GE(bytes.size(), 2 * text.size());
        ASSERT_LE(bytes.size(), 4 * text.size());
        const std::string full = DigestText(bytes, 32);
        ASSERT_EQ(full.size(), 32u);
        ASSERT_TRUE(IsLowerHex(full)) << full;
        ASSERT_EQ(DigestText(bytes, i % 64 == 32 ? 16 : i % 64), full.substr(8, 16));
    }
}

TEST(AccountTextFuzz, DigestOfRandomAddressesDependsOnLetterCase) {
    RandomTexts texts(2012);
    for (int i = 0; i < 20000; ++i) {
        const std::wstring text = texts.Next();
        const std::string digest = DigestText(Utf16LeBytes(text), 32);
        ASSERT_TRUE(IsLowerHex(digest)) << digest;
        if (UpperAscii(text) != text) {
            ASSERT_NE(DigestText(Utf16LeBytes(UpperAscii(text)), 32), digest);
        }
    }
}
