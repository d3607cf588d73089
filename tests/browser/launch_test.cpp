// LaunchBrowser against the real registry: the install folder is read from its 32-bit view in both builds,
// where the browser's 32-bit set-up writes it.
#include "browser/launch.h"

#include "filesystem/file_exists.h"
#include "messages/notice.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// Fixed here rather than taken from the program's texts, so that a changed key fails the test.
constexpr wchar_t kInstallKey[] = L"SOFTWARE\\SogouExplorer";
const Notice kNotInstalled = ErrorNotice(
    L"无法启动搜狗浏览器：\n注册表中没有搜狗浏览器的安装目录\n（HKLM\\SOFTWARE\\SogouExplorer），\n请先安装搜狗浏览器"
    L"。");

// Sets the install folder in one view of the registry (KEY_WOW64_32KEY or KEY_WOW64_64KEY); none removes the key.
void SetInstallFolder(REGSAM view, const std::wstring* folder) {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kInstallKey, view, 0);
    HKEY key = nullptr;
    if (!folder || RegCreateKeyExW(HKEY_LOCAL_MACHINE, kInstallKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                                   nullptr) != ERROR_SUCCESS) {
        return;
    }
    const UniqueRegistryKey owned{key};
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder->c_str()),
                   static_cast<DWORD>((folder->size() + 1) * sizeof(wchar_t)));
}

// Both views are empty again at the end, whatever the test did.
struct InstallKeys {
    InstallKeys() { Clear(); }
    ~InstallKeys() { Clear(); }
    static void Clear() {
        SetInstallFolder(KEY_WOW64_32KEY, nullptr);
        SetInstallFolder(KEY_WOW64_64KEY, nullptr);
    }
};

}  // namespace

// The browser starts in its own folder, by its exact path: never the Program.exe that an unquoted "Program Files"
// path would start.
TEST(LaunchBrowser, ReadsTheInstallFolderFromThe32BitViewOnlyAndStartsTheBrowserThere) {
    const InstallKeys keys;
    const TempFolder root(L"qb-launch");
    // Two installs, each with a "browser" (the helper, which records its start when given no arguments).
    const std::wstring only64 = root / L"64-bit view";
    const std::wstring only32 = root / L"Program Files\\Sogou Explorer";
    for (const std::wstring& path :
         {only64 + L"\\sogouexplorer.exe", only32 + L"\\sogouexplorer.exe", root / L"Program.exe"})
        HelperProcess::StartAs(path, {}).Stop();

    // A folder in the 64-bit view alone is not the browser's: the program says it is not installed.
    SetInstallFolder(KEY_WOW64_64KEY, &only64);
    EXPECT_EQ(LaunchBrowser(), kNotInstalled);

    // With a folder in the 32-bit view too, that one is started, and never the other.
    SetInstallFolder(KEY_WOW64_32KEY, &only32);
    EXPECT_EQ(LaunchBrowser(), std::nullopt);
    const std::wstring record = only32 + L"\\sogouexplorer.exe.launched";
    for (int i = 0; i < 1000 && !FileExists(record); ++i)
        Sleep(10);
    const std::string launched = ReadBytes(record).value_or("");
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(launched.data()), launched.size() / 2),
              L'"' + only32 + L"\\sogouexplorer.exe\"\n" + only32);
    EXPECT_FALSE(FileExists(only64 + L"\\sogouexplorer.exe.launched") || FileExists(root / L"Program.exe.launched"));

    // A folder without the browser, and an empty or relative one, which names no place, not even the browser below
    // the current folder.
    const std::wstring nowhere = root / L"nothing here";
    SetInstallFolder(KEY_WOW64_32KEY, &nowhere);
    EXPECT_EQ(LaunchBrowser(), ErrorNotice(L"无法启动搜狗浏览器，\n安装文件夹里找不到 sogouexplorer.exe：\n" + nowhere +
                                           L"\n请重新安装搜狗浏览器。"));
    SetCurrentDirectoryW(root.Path().c_str());
    for (const std::wstring folder : {L"", L"Program Files\\Sogou Explorer"}) {
        SetInstallFolder(KEY_WOW64_32KEY, &folder);
        EXPECT_EQ(LaunchBrowser(), kNotInstalled);
    }
    SetCurrentDirectoryW(TestBinaryFolder().c_str());

    // A file that is no program: the path on a line of its own, and the system's reason about "this file", without
    // the path again or a placeholder left in its text.
    const std::wstring broken = root / L"broken";
    MakeFolders(broken);
    WriteBytes(broken + L"\\sogouexplorer.exe", "not a program");
    SetInstallFolder(KEY_WOW64_32KEY, &broken);
    const auto notice = LaunchBrowser();
    ASSERT_TRUE(notice);
    const std::wstring lead =
        L"无法启动搜狗浏览器（sogouexplorer.exe），\n它所在的安装文件夹是：\n" + broken + L"\n\n原因：";
    EXPECT_TRUE(notice->text.starts_with(lead)) << Utf8(notice->text);
    EXPECT_EQ(notice->text.find(broken, lead.size()), std::wstring::npos) << Utf8(notice->text);
    EXPECT_EQ(notice->text.find(L'%'), std::wstring::npos) << Utf8(notice->text);
}
