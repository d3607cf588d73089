// Restore and undo where the user's folder and the backup names hold Chinese characters, characters outside
// the basic plane, spaces, or are very long; backup and undo copies that are read-only, hidden or system files.
#include "common/environment.h"
#include "common/file_exists.h"
#include "reliability_support.h"
#include "restore/restore.h"

#include <gtest/gtest.h>

namespace {

// A user whose application-data folder lies under `userFolder` (a folder name or a path of several), with
// the favorites and backup copies under the given names in both backup folders; the paths are composed from
// APPDATA as the restore windows compose them.
class UserProfile {
public:
    UserProfile(const TempFolder& root, const std::wstring& userFolder)
        : appData_(root / userFolder + L"\\AppData\\Roaming"), scope_(appData_) {
        MakeFolders(ListFolder(L"DailyBackup"));
        MakeFolders(ListFolder(L"Backup"));
        WriteBytes(Favorites(), kOriginal);
    }

    // The shared profile folder, APPDATA + "\sogouexplorer", read anew each time as the windows do.
    std::wstring Profile() const { return EnvironmentVariable(L"APPDATA") + L"\\sogouexplorer"; }
    std::wstring ListFolder(const std::wstring& backupFolder) const { return Profile() + L'\\' + backupFolder; }
    std::wstring Favorites() const { return Profile() + L"\\Favorite2.dat"; }
    std::wstring UndoCopy() const { return Profile() + L"\\Favorite2Backup.dat"; }

    inline static const std::string kOriginal = "原来的收藏夹";

private:
    std::wstring appData_;
    AppDataScope scope_;
};

struct NameCase {
    const char* name;
    const wchar_t* userFolder;
    const wchar_t* backupFolder;
    const wchar_t* backupName;
};

void PrintTo(const NameCase& names, std::ostream* out) {
    *out << names.name;
}

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
    UserProfile user(root, names.userFolder);
    const std::wstring list = user.ListFolder(names.backupFolder);
    const std::string backup = "备份 " + Utf8(names.backupName);
    WriteBytes(list + L'\\' + names.backupName, backup);
    if (std::string_view(names.name) == "LongPath") {
        EXPECT_GT(user.Favorites().size(), std::size_t{MAX_PATH});
    }

    EXPECT_EQ(RestoreFavorites(list, names.backupName, names.backupFolder), kRestoredNotice);
    EXPECT_EQ(ReadBytes(user.Favorites()), backup);
    EXPECT_EQ(ReadBytes(user.UndoCopy()), UserProfile::kOriginal);
    EXPECT_EQ(ListNames(user.Profile()),
              (std::vector<std::wstring>{L"Backup", L"DailyBackup", L"Favorite2.dat", L"Favorite2Backup.dat"}));

    EXPECT_EQ(UndoRestore(user.Profile()), kUndoneNotice);
    EXPECT_EQ(ReadBytes(user.Favorites()), UserProfile::kOriginal);
    EXPECT_EQ(ListNames(user.Profile()), (std::vector<std::wstring>{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
    EXPECT_EQ(UndoRestore(user.Profile()), kNothingToUndoNotice);
}

INSTANTIATE_TEST_SUITE_P(Names,
                         UnusualNames,
                         testing::ValuesIn(kNames),
                         [](const testing::TestParamInfo<NameCase>& param) { return std::string(param.param.name); });

// Read-only, hidden and system backup and undo copies: the favorites put in place are a plain file, which the
// browser can save over again (Windows refuses to overwrite a read-only file, and a hidden or system file
// unless the writer asks for the same attributes), and the undo copy goes all the same.
TEST(UnusualAttributes, AProtectedBackupOrUndoCopyGivesFavoritesTheBrowserCanSave) {
    const TempFolder root(L"qb-names");
    UserProfile user(root, L"用户");
    const std::wstring list = user.ListFolder(L"DailyBackup");
    const std::wstring name = L"Favorite2.dat.只读 隐藏 系统";
    WriteBytes(list + L'\\' + name, "protected backup");
    constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW((list + L'\\' + name).c_str(), kProtected));

    EXPECT_EQ(RestoreFavorites(list, name, L"DailyBackup"), kRestoredNotice);
    EXPECT_EQ(ReadBytes(user.Favorites()), "protected backup");
    EXPECT_EQ(GetFileAttributesW(user.Favorites().c_str()) & kProtected, 0u);
    EXPECT_EQ(GetFileAttributesW((list + L'\\' + name).c_str()) & kProtected, kProtected);

    ASSERT_TRUE(SetFileAttributesW(user.UndoCopy().c_str(), kProtected));
    EXPECT_EQ(UndoRestore(user.Profile()), kUndoneNotice);
    EXPECT_EQ(ReadBytes(user.Favorites()), UserProfile::kOriginal);
    EXPECT_EQ(GetFileAttributesW(user.Favorites().c_str()) & kProtected, 0u);
    EXPECT_EQ(ListNames(user.Profile()), (std::vector<std::wstring>{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
}

// The profile folder is the list folder with every "\" + backup-folder name cut out, so a user folder that
// starts with "Backup" loses that part too when the chooser reads "Backup": the user is told that the
// favorites could not be replaced, and no file is written anywhere.
TEST(UnusualAttributes, AUserFolderStartingWithTheBackupFolderNameGivesOneClearFailure) {
    const TempFolder root(L"qb-names");
    UserProfile user(root, L"Backupman");
    const std::wstring list = user.ListFolder(L"Backup");
    WriteBytes(list + L"\\Favorite2.dat.1", "backup");

    const Notice notice = RestoreFavorites(list, L"Favorite2.dat.1", L"Backup");
    EXPECT_TRUE(IsFailure(notice, kRestoreBackupFailed)) << Describe(notice);
    EXPECT_EQ(ReadBytes(user.Favorites()), UserProfile::kOriginal);
    EXPECT_EQ(ListNames(user.Profile()), (std::vector<std::wstring>{L"Backup", L"DailyBackup", L"Favorite2.dat"}));
    EXPECT_EQ(ListNames(root.Path()), std::vector<std::wstring>{L"Backupman"});
    EXPECT_FALSE(FolderExists(root.Path() + L"man"));
    EXPECT_EQ(ListNames(list), std::vector<std::wstring>{L"Favorite2.dat.1"});

    // The same user restores from DailyBackup without trouble.
    WriteBytes(user.ListFolder(L"DailyBackup") + L"\\Favorite2.dat.1", "daily backup");
    EXPECT_EQ(RestoreFavorites(user.ListFolder(L"DailyBackup"), L"Favorite2.dat.1", L"DailyBackup"), kRestoredNotice);
    EXPECT_EQ(ReadBytes(user.Favorites()), "daily backup");
}
