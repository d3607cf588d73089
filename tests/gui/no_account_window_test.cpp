// The no-account window, driven from outside: folder choice, restore, undo and browser start.
#include "control_ids.h"
#include "window_test.h"

namespace {

using namespace no_account_window;
using main_window::kNoAccount;

const SeenMessageBox kRestored{L"提示", L"成功恢复备份数据，请重启浏览器后查看收藏夹", MB_ICONINFORMATION};
const SeenMessageBox kUndone{L"提示", L"成功撤消恢复", MB_ICONINFORMATION};
const SeenMessageBox kNothingSelected{L"错误", L"未选中需要恢复的收藏文件，请重新选择", MB_ICONERROR};
const SeenMessageBox kNoDailyBackup{L"错误", L"DailyBackup备份目录不存在，请选在其它备份目录", MB_ICONERROR};
const SeenMessageBox kNoBackup{L"错误", L"Backup备份目录不存在，请选在其它备份目录", MB_ICONERROR};

class NoAccountWindowTest : public WindowTest {
protected:
    HWND Open(const std::optional<SeenMessageBox>& loadMessage = std::nullopt) {
        return OpenFrom(kNoAccount, L"本地收藏恢复", loadMessage);
    }
};

}  // namespace

TEST_F(NoAccountWindowTest, WithoutBackupFoldersTheListStaysOnTheWorkingFolder) {
    WriteBytes(workingFolder / L"Favorite2.dat.1", "x");
    WriteBytes(workingFolder / L"FAVORITE2", "x");
    WriteBytes(workingFolder / L"notes.txt", "x");
    WriteBytes(workingFolder / L"Favorite2.hidden", "x");
    SetFileAttributesW((workingFolder / L"Favorite2.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(workingFolder / L"Favorite2.system", "x");
    SetFileAttributesW((workingFolder / L"Favorite2.system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    MakeFolders(workingFolder / L"Favorite2.folder");

    ASSERT_TRUE(Open(kNoDailyBackup));
    EXPECT_EQ(ComboEntries(Control(kCombo1)), (std::vector<std::wstring>{L"DailyBackup", L"Backup"}));
    EXPECT_EQ(ControlText(Control(kCombo1)), L"DailyBackup");
    const std::vector<std::wstring> workingFiles{L"FAVORITE2", L"Favorite2.dat.1"};
    EXPECT_EQ(Entries(Control(kFile1)), workingFiles);

    Choose(Control(kCombo1), 1);
    EXPECT_EQ(program_->AnswerMessageBox(), kNoBackup);
    EXPECT_EQ(Entries(Control(kFile1)), workingFiles);
    EXPECT_EQ(Press(kRestore), kNothingSelected);
    EXPECT_EQ(ReadBytes(profile.Favorites()), std::nullopt);
}

TEST_F(NoAccountWindowTest, ListsTheChosenBackupFoldersCopiesInNameOrder) {
    profile.AddBackups(L"DailyBackup", {L"Favorite2.dat.2012.02.27.22", L"Favorite2.dat.2012.02.25.21", L"readme.txt"});
    profile.AddBackups(L"Backup", {L"Favorite2.dat.2011.12.31.23"});
    ASSERT_TRUE(Open());
    EXPECT_FALSE(program_->HasMessageBox());
    EXPECT_EQ(Entries(Control(kFile1)),
              (std::vector<std::wstring>{L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.27.22"}));
    Choose(Control(kCombo1), 1);
    EXPECT_TRUE(WaitUntil([&] { return Entries(Control(kFile1)) == std::vector<std::wstring>{L"Favorite2.dat.2011.12.31.23"}; }));
    Choose(Control(kCombo1), 0);
    EXPECT_TRUE(WaitUntil([&] { return Entries(Control(kFile1)).size() == 2; }));
}

TEST_F(NoAccountWindowTest, RestoreThenUndoThroughTheButtons) {
    WriteBytes(profile.Favorites(), "my favorites");
    profile.AddBackups(L"DailyBackup", {L"Favorite2.dat.2012.02.27.22"});
    profile.AddBackups(L"Backup", {L"Favorite2.dat.2011.12.31.23"});
    ASSERT_TRUE(Open());

    EXPECT_EQ(Press(kRestore), kNothingSelected);
    ASSERT_TRUE(SelectEntry(Control(kFile1), L"Favorite2.dat.2012.02.27.22"));
    EXPECT_EQ(Press(kRestore), kRestored);
    EXPECT_EQ(ReadBytes(profile.Favorites()), "Favorite2.dat.2012.02.27.22");
    EXPECT_EQ(ReadBytes(profile.UndoCopy()), "my favorites");

    // Undo works on the shared profile whatever the chooser shows.
    Choose(Control(kCombo1), 1);
    EXPECT_TRUE(WaitUntil([&] { return Entries(Control(kFile1)).size() == 1 && Entries(Control(kFile1))[0] == L"Favorite2.dat.2011.12.31.23"; }));
    EXPECT_EQ(Press(kUndo), kUndone);
    EXPECT_EQ(ReadBytes(profile.Favorites()), "my favorites");
    EXPECT_EQ(ReadBytes(profile.UndoCopy()), std::nullopt);
    EXPECT_EQ(Press(kUndo), (SeenMessageBox{L"提示", L"未启动恢复，无需撤消恢复", MB_ICONINFORMATION}));
}

TEST_F(NoAccountWindowTest, StartsTheBrowserByItsExactPathFromTheRegistry) {
    profile.AddBackups(L"DailyBackup", {});
    // A program at "...\Program.exe" must not run in the browser's place.
    const std::wstring programFiles = root / L"Program Files";
    const std::wstring installFolder = programFiles + L"\\Sogou Explorer";
    const std::wstring browser = installFolder + L"\\sogouexplorer.exe";
    HelperProcess::StartAs(root / L"Program.exe", {}).Stop();
    HelperProcess::StartAs(browser, {}).Stop();
    const InstallFolderValue value(installFolder);
    ASSERT_TRUE(Open());

    Click(Control(kStartBrowser));
    const bool launched = WaitUntil([&] { return ReadBytes(browser + L".launched").has_value(); });
    EXPECT_EQ(program_->AnswerMessageBox(300), std::nullopt);
    ASSERT_TRUE(launched);
    EXPECT_FALSE(ReadBytes(root / L"Program.exe.launched").has_value());
    // The stand-in browser writes its command line as UTF-16.
    const std::string bytes = *ReadBytes(browser + L".launched");
    const std::wstring commandLine(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    EXPECT_EQ(commandLine.substr(0, browser.size() + 2), L'"' + browser + L'"');
}

TEST_F(NoAccountWindowTest, ReportsABrowserThatCannotBeStarted) {
    profile.AddBackups(L"DailyBackup", {});
    InstallFolderValue::Remove(KEY_WOW64_32KEY);
    // Only the 32-bit view of the registry counts, whichever build reads it.
    const InstallFolderValue elsewhere(root.Path(), KEY_WOW64_64KEY);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Press(kStartBrowser),
              (SeenMessageBox{L"错误",
                              L"无法启动搜狗浏览器：注册表中没有搜狗浏览器的安装目录"
                              L"（HKEY_LOCAL_MACHINE\\SOFTWARE\\SogouExplorer），请先安装搜狗浏览器。",
                              MB_ICONERROR}));

    const InstallFolderValue empty(root / L"nothing here");
    EXPECT_EQ(Press(kStartBrowser),
              (SeenMessageBox{L"错误",
                              L"无法启动搜狗浏览器：找不到文件 " + root.Path() +
                                  L"\\nothing here\\sogouexplorer.exe，请重新安装搜狗浏览器。",
                              MB_ICONERROR}));
    EXPECT_EQ(ListNames(root.Path()), (std::vector<std::wstring>{L"AppData"}));
}

TEST_F(NoAccountWindowTest, ClosingTheWindowEndsTheProgram) {
    profile.AddBackups(L"DailyBackup", {});
    ASSERT_TRUE(Open());
    PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(program_->WaitForExit(5000), 0u);
}
