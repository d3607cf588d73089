// Restore and undo where the user's folder and the backup names hold Chinese characters, characters outside
// the basic plane, spaces, or are very long; backup and undo copies that are read-only, hidden or system files.
#include "common/environment.h"
#include "restore/restore.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::wstring>;
const std::string kOriginal = "原来的收藏夹";

// A user whose application-data folder lies under `userFolder` (one folder or several), with favorites and both
// backup folders; the paths come from APPDATA as the restore windows compose them.
struct UserProfile {
    UserProfile(const TempFolder& root, const std::wstring& userFolder)
        : scope(root / userFolder + L"\\AppData\\Roaming") {
        MakeFolders(profile + L"\\DailyBackup");
        MakeFolders(profile + L"\\Backup");
        WriteBytes(favorites, kOriginal);
    }

    AppDataScope scope;
    std::wstring profile = EnvironmentVariable(L"APPDATA") + L"\\sogouexplorer";
    std::wstring favorites = profile + L"\\Favorite2.dat";
    std::wstring undo = profile + L"\\Favorite2Backup.dat";
};

struct NameCase {
    const char* name;
    const wchar_t* userFolder;
    const wchar_t* backupFolder;
    const wchar_t* backupName;
};

// Every name stays below 255 bytes in UTF-8, the limit of the Linux file systems under Wine.
const NameCase kNames[] = {
    {"Chinese", L"用户 张三", L"DailyBackup", L"Favorite2.dat.2012.02.27.22 副本"},
    {"Emoji", L"😀 emoji 🎉", L"Backup", L"Favorite2.dat.🙂🙃"},
    {"Spaces", L" leading  and inner spaces", L"DailyBackup", L"Favorite2 .dat. 2012 02 27  (1)"},
    {"Mixed", L"Ünïcödé 收藏 𠀀𝄞", L"Backup", L"Favorite2.dat.𠀀𝄞 ñ"},
    // 239 characters (243 bytes in UTF-8).
    {"LongName", L"长", L"DailyBackup",
     L"Favorite2.dat.2012.02.27.22 a copy of the favorites kept for a very long time with a very long name a copy of "
     L"the favorites kept for a very long time with a very long name a copy of the favorites kept for a very long time "
     L"with a very lo 副本"},
    // Paths far beyond MAX_PATH (260 characters), eight folders deep.
    {"LongPath",
     L"第一层文件夹的名字相当长，为了让整个路径超过二百六十个字符的限制而设\\第二层文件夹的名字相当长，"
     L"为了让整个路径超过二百六十个字符的限制而设\\第三层文件夹的名字相当长，为了让整个路径超过二百六十个"
     L"字符的限制而设\\第四层文件夹的名字相当长，为了让整个路径超过二百六十个字符的限制而设\\第五层文件夹的"
     L"名字相当长，为了让整个路径超过二百六十个字符的限制而设\\第六层 😀 文件夹\\第七层 😀 文件夹\\第八层",
     L"Backup", L"Favorite2.dat.2012.02.27.22"},
};

class UnusualNames : public testing::TestWithParam<NameCase> {
protected:
    TempFolder root{L"qb-names"};
};

}  // namespace

TEST_P(UnusualNames, RestoreAndUndoWorkOnThePathsAsComposed) {
    const NameCase& names = GetParam();
    const UserProfile user(root, names.userFolder);
    const std::wstring list = user.profile + L'\\' + names.backupFolder;
    const std::string backup = "备份 " + Utf8(names.backupName);
    WriteBytes(list + L'\\' + names.backupName, backup);
    EXPECT_TRUE(std::string_view(names.name) != "LongPath" || user.favorites.size() > MAX_PATH);

    EXPECT_EQ(RestoreFavorites(list, names.backupName, names.backupFolder), kRestoredNotice);
    EXPECT_EQ(ReadBytes(user.favorites), backup);
    EXPECT_EQ(ReadBytes(user.undo), kOriginal);
    EXPECT_EQ(ListNames(user.profile), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat", L"Favorite2Backup.dat"}));
    EXPECT_EQ(UndoRestore(user.profile), kUndoneNotice);
    EXPECT_EQ(ReadBytes(user.favorites), kOriginal);
    EXPECT_EQ(ListNames(user.profile), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
    EXPECT_EQ(UndoRestore(user.profile), kNothingToUndoNotice);
}

INSTANTIATE_TEST_SUITE_P(Names,
                         UnusualNames,
                         testing::ValuesIn(kNames),
                         [](const testing::TestParamInfo<NameCase>& param) { return std::string(param.param.name); });

// Read-only, hidden and system backup and undo copies: the favorites put in place are a plain file, which the
// browser can save over again, and the undo copy goes all the same.
TEST(UnusualAttributes, AProtectedBackupOrUndoCopyGivesFavoritesTheBrowserCanSave) {
    const TempFolder root(L"qb-names");
    const UserProfile user(root, L"用户");
    const std::wstring backup = user.profile + L"\\DailyBackup\\Favorite2.dat.只读 隐藏 系统";
    WriteBytes(backup, "protected backup");
    constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW(backup.c_str(), kProtected));

    EXPECT_EQ(RestoreFavorites(user.profile + L"\\DailyBackup", L"Favorite2.dat.只读 隐藏 系统", L"DailyBackup"),
              kRestoredNotice);
    EXPECT_EQ(ReadBytes(user.favorites), "protected backup");
    EXPECT_FALSE(HasAttribute(user.favorites, kProtected));
    EXPECT_EQ(GetFileAttributesW(backup.c_str()) & kProtected, kProtected);

    ASSERT_TRUE(SetFileAttributesW(user.undo.c_str(), kProtected));
    EXPECT_EQ(UndoRestore(user.profile), kUndoneNotice);
    EXPECT_EQ(ReadBytes(user.favorites), kOriginal);
    EXPECT_FALSE(HasAttribute(user.favorites, kProtected));
    EXPECT_EQ(ListNames(user.profile), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
}

// Every "\" + backup-folder name is cut out of the list folder, so a user folder that starts with "Backup" loses
// that part too: the user is told that the favorites could not be replaced, and no file is written anywhere.
TEST(UnusualAttributes, AUserFolderStartingWithTheBackupFolderNameGivesOneClearFailure) {
    const TempFolder root(L"qb-names");
    const UserProfile user(root, L"Backupman");
    WriteBytes(user.profile + L"\\Backup\\Favorite2.dat.1", "backup");
    WriteBytes(user.profile + L"\\DailyBackup\\Favorite2.dat.1", "daily backup");

    EXPECT_PRED2(IsFailure, RestoreFavorites(user.profile + L"\\Backup", L"Favorite2.dat.1", L"Backup"),
                 kRestoreBackupFailed);
    EXPECT_EQ(ReadBytes(user.favorites), kOriginal);
    EXPECT_EQ(ListNames(user.profile), (Names{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
    EXPECT_EQ(ListNames(root.Path()), Names{L"Backupman"});
    EXPECT_EQ(GetFileAttributesW((root.Path() + L"man").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ListNames(user.profile + L"\\Backup"), Names{L"Favorite2.dat.1"});
    // The same user restores from DailyBackup without trouble.
    EXPECT_EQ(RestoreFavorites(user.profile + L"\\DailyBackup", L"Favorite2.dat.1", L"DailyBackup"), kRestoredNotice);
    EXPECT_EQ(ReadBytes(user.favorites), "daily backup");
}
