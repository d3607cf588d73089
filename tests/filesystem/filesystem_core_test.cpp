// The file system's pure rules: path forms, the tool's temporary names, and the digest that tells files apart.
#include "filesystem/content_digest.h"
#include "filesystem/paths.h"
#include "filesystem/temporary_names.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Paths, AbsoluteExactAndTheirParts) {
    for (const wchar_t* path : {LR"(C:\)", LR"(c:\Program Files\Sogou)", LR"(\\server\share)", LR"(\\nas\s\x)"})
        EXPECT_TRUE(IsAbsolutePath(path)) << path;
    for (const wchar_t* path : {L"", L"C:", L"C:Sogou", LR"(\Sogou)", LR"(Sogou\Explorer)", LR"(.\x)", LR"(\\)",
                                LR"(\\server)", LR"(\\server\)", LR"(\\\share)", LR"(1:\x)"})
        EXPECT_FALSE(IsAbsolutePath(path)) << path;
    EXPECT_EQ(ExactPathForm(LR"(C:\R\Favorite2.dat. )"), LR"(\\?\C:\R\Favorite2.dat. )");
    EXPECT_EQ(ExactPathForm(LR"(\\nas\share\x)"), LR"(\\?\UNC\nas\share\x)");
    EXPECT_EQ(ExactPathForm(LR"(\\?\C:\x)"), LR"(\\?\C:\x)");
    EXPECT_EQ(ExactPathForm(LR"(\\.\C:\x)"), LR"(\\.\C:\x)");
    EXPECT_EQ(LastComponent(LR"(C:\R\DailyBackup)"), L"DailyBackup");
    EXPECT_EQ(FolderOf(LR"(C:\R\DailyBackup)"), LR"(C:\R)");
    EXPECT_EQ(StripNulls(std::wstring_view(L"ab\0cd", 5)), L"ab");
}

// Only a name of exactly the tool's form, every field digits, names the process that made it.
TEST(TemporaryMakerId, OnlyTheToolsOwnForm) {
    EXPECT_EQ(TemporaryName(1234, 567890123456, 7), L"~quillbarrow-1234-567890123456-7.tmp");
    EXPECT_EQ(TemporaryMakerId(TemporaryName(4294967295u, 18446744073709551615u, 99)), 4294967295u);
    for (const wchar_t* name : {L"~quillbarrow-12-34.tmp", L"~quillbarrow-12-34-5-6.tmp", L"~quillbarrow--34-5.tmp",
                                L"~quillbarrow-12-34-.tmp", L"~quillbarrow-x-34-5.tmp", L"~quillbarrow-12-3 4-5.tmp",
                                L"~quillbarrow-4294967296-1-1.tmp", L"~quillbarrow-12-34-5.tmp.bak",
                                L"~Quillbarrow-12-34-5.tmp", L"~quillbarrow-+12-34-5.tmp", L"quillbarrow-12-34-5.tmp"})
        EXPECT_EQ(TemporaryMakerId(name), std::nullopt) << name;
}

// The same bytes give the same digest however they are fed; a byte changed anywhere, or one more, another.
TEST(ContentDigest, FollowsTheBytesNotTheirPieces) {
    std::vector<std::uint8_t> bytes(1000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const auto digest = [](std::span<const std::uint8_t> data, std::size_t piece) {
        ContentDigest fed;
        for (std::size_t at = 0; at < data.size(); at += piece)
            fed.Add(data.subspan(at, std::min(piece, data.size() - at)));
        return fed.Value();
    };
    const std::uint64_t whole = digest(bytes, bytes.size());
    for (const std::size_t piece : {1, 5, 31, 32, 33, 999})
        EXPECT_EQ(digest(bytes, piece), whole) << piece;
    for (const std::size_t at : {0, 31, 500, 999}) {
        std::vector<std::uint8_t> changed = bytes;
        changed[at] ^= 1;
        EXPECT_NE(digest(changed, 64), whole) << at;
    }
    EXPECT_NE(digest(std::span(bytes).first(999), 64), whole);
    EXPECT_NE(digest({}, 1), digest(std::vector<std::uint8_t>(1), 1));
}
