// The real program driven from outside: its three windows, the restore panel they share, and the list-view library
// it provides.
#include "gui_bench.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {

using Names = std::vector<std::wstring>;

// The browser's install folder where the program looks for it: in the registry's 32-bit view.
constexpr wchar_t kInstallKey[] = L"SOFTWARE\\WOW6432Node\\SogouExplorer";
void SetInstallFolder(const std::wstring& folder) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kInstallKey, nullptr, REG_SZ, folder.c_str(), (folder.size() + 1) * 2);
}

// The folder of user@example.com's profile: the MD5 digest of the address in UTF-16LE.
constexpr wchar_t kAccountFolder[] = L"\\sogouexplorer\\923f0c68321b444d558ab06cfe7b40cf";

}  // namespace

TEST(MainWindowTest, RefusesWhileTheBrowserRunsElseItsLowerButtonOpensTheNoAccountWindowWithoutBackupFolders) {
    const TempFolder root(L"qb-gui");
    {
        const HelperProcess browser = HelperProcess::StartAs(root / L"Sogou\\SogouExplorer.exe", {});
        const ProgramUnderTest program(root.Path());
        ASSERT_TRUE(program.WaitForWindow(nullptr, 10000, L"#32770"));
        EXPECT_FALSE(program.WaitForWindow(L"收藏夹备份恢复", 0));
        EXPECT_EQ(program.AnswerMessageBox(), L"错误: 检测到搜狗浏览器正在运行，请先关闭搜狗浏览器后再启动工具");
        EXPECT_TRUE(program.WaitForExit());
    }
    {
        // Enter presses the focused button, the upper one when the window opens.
        const ProgramUnderTest program(root.Path());
        const HWND main = program.WaitForWindow(L"收藏夹备份恢复");
        ASSERT_TRUE(main);
        EXPECT_EQ(ControlText(GetDlgItem(main, MainWindow::kHaveAccountButton)), L"我有搜狗浏览器账户");
        EXPECT_EQ(ControlText(GetDlgItem(main, MainWindow::kNoAccountButton)), L"我没搜狗浏览器账户");
        ASSERT_TRUE(TabTo(main, MainWindow::kHaveAccountButton));
        PressKey(main, VK_RETURN);
        EXPECT_TRUE(program.WaitForWindow(L"账户收藏恢复"));
    }
    const ProgramUnderTest program(root.Path());
    const HWND main = program.WaitForWindow(L"收藏夹备份恢复");
    ASSERT_TRUE(main);
    // A second press while the first one's window is still opening (behind its message) opens nothing more.
    Click(main, MainWindow::kNoAccountButton);
    Click(main, MainWindow::kNoAccountButton);
    // Without backup folders, each choice of folder says so and there is nothing to restore. Shown while no window
    // of the program is on screen, the message stands on its own, so that it has a taskbar button.
    const HWND box = program.WaitForWindow(nullptr, 10000, L"#32770");
    ASSERT_TRUE(box);
    const HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_TRUE(!owner || IsWindowVisible(owner));
    EXPECT_EQ(program.AnswerMessageBox(), L"错误: DailyBackup备份目录不存在，请选在其它备份目录");
    const HWND window = program.WaitForWindow(L"本地收藏恢复");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(main); }));
    Choose(window, RestorePanel::kFolderChooser, 1);
    EXPECT_EQ(program.AnswerMessageBox(), L"错误: Backup备份目录不存在，请选在其它备份目录");
    EXPECT_EQ(program.Press(window, RestorePanel::kRestoreButton), L"错误: 未选中需要恢复的收藏文件，请重新选择");
    EXPECT_EQ(program.AnswerMessageBox(1000), L"");
    // The one window is the program's last: closing it ends the program.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit());
}

// The restore panel as each window holds it: before it knows a profile's backup folder it restores nothing, even
// from a start folder named as one (a drive's root Backup too); then it lists a backup folder, restores, undoes,
// keeps favorites saved nowhere else before either replaces them, and starts the browser in its own folder.
class RestorePanelTest : public testing::TestWithParam<RestoreWindow> {
protected:
    bool Account() const { return GetParam() == RestoreWindow::Account; }
};

TEST_P(RestorePanelTest, RestoresOnlyIntoAKnownProfileKeepsUnsavedFavoritesAndStartsTheBrowser) {
    const TempFolder root(L"qb-gui");
    const std::wstring profile = root / L"AppData" + (Account() ? kAccountFolder : L"\\sogouexplorer");
    MakeFolders(profile);
    WriteBytes(profile + L"\\Favorite2.dat", "mine");
    // The tool kept in a folder named as a backup folder: on the desktop, or at a drive's root.
    const std::wstring start = Account() ? L"C:\\Backup" : root / L"Desktop\\DailyBackup";
    RemoveTree(start);
    MakeFolders(start);
    WriteBytes(start + L"\\Favorite2.dat.start", "start");
    std::optional<CurrentFolderScope> inStart(std::in_place, start);
    const ProgramUnderTest program(root / L"AppData");
    inStart.reset();
    ASSERT_TRUE(program.PressMainButton(Account() ? MainWindow::kHaveAccountButton : MainWindow::kNoAccountButton));
    if (!Account()) {
        EXPECT_EQ(program.AnswerMessageBox(), L"错误: DailyBackup备份目录不存在，请选在其它备份目录");
    }
    const HWND window = program.WaitForWindow(Account() ? L"账户收藏恢复" : L"本地收藏恢复");
    ASSERT_TRUE(window);
    const HWND files = GetDlgItem(window, RestorePanel::kFileList);
    const auto press = [&](int id) { return program.Press(window, id); };

    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.start"));
    EXPECT_EQ(press(RestorePanel::kRestoreButton), L"错误: 所选文件不在备份目录中，请重新选择");
    EXPECT_EQ(press(RestorePanel::kUndoButton), Account() ? L"错误: 请先查找账户的备份目录" : L"提示: 未启动恢复，无需撤消恢复");
    EXPECT_EQ(ListNames(start), Names{L"Favorite2.dat.start"});
    EXPECT_FALSE(ReadBytes(start.substr(0, start.rfind(L'\\')) + L"\\Favorite2.dat"));
    EXPECT_EQ(ListNames(profile), Names{L"Favorite2.dat"});

    MakeFolders(profile + L"\\DailyBackup");
    MakeFolders(profile + L"\\Backup");
    for (const wchar_t* name : {L"DailyBackup\\Favorite2.dat.2012.02.27.22", L"DailyBackup\\readme.txt",
                                L"DailyBackup\\Favorite2.dat.2012.02.25.21", L"Backup\\Favorite2.dat.2011.12.31.23"}) {
        WriteBytes(profile + L'\\' + name, Utf8(name));
    }
    // The account's list follows a search, Enter in the address box starting it; the shared profile's the chooser.
    const auto choose = [&](int folder) {
        Choose(window, RestorePanel::kFolderChooser, folder);
        if (!Account()) return;
        SetWindowTextW(GetDlgItem(window, AccountWindow::kAddressBox), L"user@example.com");
        ASSERT_TRUE(TabTo(window, AccountWindow::kAddressBox));
        PressKey(window, VK_RETURN);
    };
    choose(0);
    const Names daily{L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.27.22"};
    EXPECT_TRUE(WaitUntil([&] { return Entries(files) == daily; }));
    choose(1);
    EXPECT_TRUE(WaitUntil([&] { return Entries(files) == Names{L"Favorite2.dat.2011.12.31.23"}; }));
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2011.12.31.23"));
    EXPECT_EQ(press(RestorePanel::kRestoreButton), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "Backup\\Favorite2.dat.2011.12.31.23");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2Backup.dat"), "mine");
    EXPECT_EQ(press(RestorePanel::kUndoButton), L"提示: 成功撤消恢复");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "mine");
    EXPECT_FALSE(ReadBytes(profile + L"\\Favorite2Backup.dat"));

    // Favorites that exist nowhere else, over an undo copy from an earlier restore, are kept as a new copy first;
    // the list shows it, still on the restored entry. So are those an undo would replace, Enter pressing it.
    EXPECT_EQ(press(RestorePanel::kRestoreButton), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    const auto keptAfter = [&](std::wstring_view lead, const std::string& favorites) {
        const std::wstring message = program.AnswerMessageBox();
        EXPECT_TRUE(message.starts_with(lead)) << Utf8(message);
        const std::wstring kept = message.substr(std::min(lead.size(), message.size()));
        EXPECT_EQ(ReadBytes(profile + L"\\Backup\\" + kept), favorites);
        return kept;
    };
    WriteBytes(profile + L"\\Favorite2.dat", "saved today");
    Click(window, RestorePanel::kRestoreButton);
    const std::wstring kept = keptAfter(L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹\n恢复前的收藏夹已另存为\nBackup\\", "saved today");
    EXPECT_EQ(Entries(files), (Names{L"Favorite2.dat.2011.12.31.23", kept}));
    EXPECT_EQ(SendMessageW(files, LB_GETCURSEL, 0, 0), 0);
    WriteBytes(profile + L"\\Favorite2.dat", "added this afternoon");
    ASSERT_TRUE(TabTo(window, RestorePanel::kUndoButton));
    PressKey(window, VK_RETURN);
    const std::wstring keptBeforeUndo = keptAfter(L"提示: 成功撤消恢复\n撤消前的收藏夹已另存为\nBackup\\", "added this afternoon");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "mine");
    EXPECT_EQ(Entries(files), (Names{L"Favorite2.dat.2011.12.31.23", kept, keptBeforeUndo}));

    // The file list's tip tells what is known of the entry under the pointer.
    const int lineHeight = static_cast<int>(SendMessageW(files, LB_GETITEMHEIGHT, 0, 0));
    int nudge = 0;
    HWND tip = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        MovePointer(files, {20 + (nudge ^= 1), lineHeight / 2});
        return (tip = program.WaitForTip(L"Favorite2.dat.2011.12.31.23")) != nullptr;
    }));
    EXPECT_NE(ControlText(tip).find(L"\n文件大小：34\n"), std::wstring::npos) << Utf8(ControlText(tip));

    // Where the profile's format is known, a damaged backup is restored only when the user says Yes; No, the
    // default, changes nothing. A backup of the favorites' very bytes is not restored at all.
    WriteBytes(profile + L"\\Favorite2.dat", Database(8, 1));
    WriteBytes(profile + L"\\Backup\\Favorite2.dat.2011.12.31.22", Database(8, 2).substr(0, 5000));
    WriteBytes(profile + L"\\Backup\\Favorite2.dat.2011.12.31.21", Database(8, 1));
    choose(1);
    ASSERT_TRUE(WaitUntil([&] { return SelectEntry(files, L"Favorite2.dat.2011.12.31.22"); }));
    Click(window, RestorePanel::kRestoreButton);
    const HWND question = program.WaitForWindow(nullptr, 10000, L"#32770");
    ASSERT_TRUE(question);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(question, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    const wchar_t* const kDamaged = L"提示: 所选备份文件不完整或已损坏，恢复后浏览器可能读不出收藏夹。仍要恢复吗？";
    EXPECT_EQ(program.AnswerMessageBox(10000, IDNO), kDamaged);
    EXPECT_EQ(program.AnswerMessageBox(500), L"");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), Database(8, 1));
    Click(window, RestorePanel::kRestoreButton);
    EXPECT_EQ(program.AnswerMessageBox(10000, IDYES), kDamaged);
    EXPECT_EQ(program.AnswerMessageBox(), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), Database(8, 2).substr(0, 5000));
    EXPECT_EQ(press(RestorePanel::kUndoButton), L"提示: 成功撤消恢复");
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2011.12.31.21"));
    EXPECT_EQ(press(RestorePanel::kRestoreButton), L"提示: 所选备份与当前收藏夹完全相同，收藏夹没有改动。");
    EXPECT_FALSE(ReadBytes(profile + L"\\Favorite2Backup.dat"));

    // The browser starts in its own folder, by its exact path: not the Program.exe that an unquoted "Program
    // Files" path would start.
    const std::wstring installed = root / L"Program Files\\Sogou Explorer";
    HelperProcess::StartAs(root / L"Program.exe", {}).Stop();
    HelperProcess::StartAs(installed + L"\\sogouexplorer.exe", {}).Stop();
    SetInstallFolder(installed);
    Click(window, RestorePanel::kLaunchButton);
    const std::wstring record = installed + L"\\sogouexplorer.exe.launched";
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(record).has_value(); }));
    const std::string launched = ReadBytes(record).value_or("");
    const std::wstring commandAndFolder(reinterpret_cast<const wchar_t*>(launched.data()), launched.size() / 2);
    EXPECT_EQ(commandAndFolder, L'"' + installed + L"\\sogouexplorer.exe\"\n" + installed);
    EXPECT_FALSE(ReadBytes(root / L"Program.exe.launched"));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kInstallKey);
    RemoveTree(start);
}

INSTANTIATE_TEST_SUITE_P(Windows,
                         RestorePanelTest,
                         testing::Values(RestoreWindow::Account, RestoreWindow::SharedProfile),
                         [](const testing::TestParamInfo<RestoreWindow>& window) {
                             return window.param == RestoreWindow::Account ? "Account" : "SharedProfile";
                         });

// After the chooser names a missing folder, the list still shows the other one: a restore from it goes into the
// profile, never beside the backups. The same with APPDATA unset, empty or relative: the roaming folder Windows
// knows stands in.
TEST(SharedProfileWindowTest, RestoresIntoTheListsProfileWhateverTheChooserAndAppDataSay) {
    wchar_t known[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, known), S_OK);
    const TempFolder root(L"qb-gui");
    for (const std::optional<std::wstring>& appData : std::initializer_list<std::optional<std::wstring>>{
             root / L"AppData", std::nullopt, L"", L"AppData"}) {
        const std::wstring profile = (appData && !appData->empty() && appData->find(L':') != std::wstring::npos ?
                                          *appData : std::wstring(known)) + L"\\sogouexplorer";
        SCOPED_TRACE(appData ? "APPDATA=" + Utf8(*appData) : "APPDATA unset");
        MakeFolders(profile + L"\\DailyBackup");
        WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.27.22", "backup");
        WriteBytes(profile + L"\\Favorite2.dat", "mine");
        {
            const ProgramUnderTest program(appData);
            ASSERT_TRUE(program.PressMainButton(MainWindow::kNoAccountButton));
            const HWND window = program.WaitForWindow(L"本地收藏恢复");
            const HWND files = GetDlgItem(window, RestorePanel::kFileList);
            ASSERT_TRUE(WaitUntil([&] { return Entries(files) == Names{L"Favorite2.dat.2012.02.27.22"}; }));
            Choose(window, RestorePanel::kFolderChooser, 1);
            EXPECT_EQ(program.AnswerMessageBox(), L"错误: Backup备份目录不存在，请选在其它备份目录");
            ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2012.02.27.22"));
            EXPECT_EQ(program.Press(window, RestorePanel::kRestoreButton), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
            EXPECT_EQ(ListNames(profile), (Names{L"DailyBackup", L"Favorite2.dat", L"Favorite2Backup.dat"}));
            EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "backup");
            EXPECT_EQ(ListNames(profile + L"\\DailyBackup"), Names{L"Favorite2.dat.2012.02.27.22"});
            EXPECT_EQ(program.Press(window, RestorePanel::kUndoButton), L"提示: 成功撤消恢复");
            EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "mine");
        }
        RemoveTree(profile);
    }
}

TEST(AccountWindowTest, RefusesBadSearchesListsTheBackupFolderAndShowsRowTips) {
    const TempFolder root(L"qb-gui");
    const std::wstring account = root / L"AppData" + kAccountFolder;
    MakeFolders(account + L"\\DailyBackup\\older");
    WriteBytes(account + L"\\DailyBackup\\Favorite2.dat.2012.02.25.21", std::string(1000, 'x'));
    WriteBytes(account + L"\\DailyBackup\\notes.txt", "notes");
    WriteBytes(account + L"\\DailyBackup\\older\\Favorite2.dat.2011.12.31.23", std::string(300, 'x'));

    const ProgramUnderTest program(root / L"AppData");
    ASSERT_TRUE(program.PressMainButton(MainWindow::kHaveAccountButton));
    const HWND window = program.WaitForWindow(L"账户收藏恢复");
    const HWND list = GetDlgItem(window, AccountWindow::kResultList);
    const HWND files = GetDlgItem(window, RestorePanel::kFileList);

    // The cursor waits in the address box; Tab goes on from there in the designed order.
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window) == GetDlgItem(window, AccountWindow::kAddressBox); }));
    PressKey(window, VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window) == GetDlgItem(window, AccountWindow::kFindButton); }));

    // The column headers and their alignments, read back through records of this build's layout.
    Names headers;
    std::vector<int> formats;
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_FMT;
        header.cchTextMax = 1023;
        headers.push_back(SendRemote(list, LVM_GETCOLUMNW, column, &header, sizeof(header), &header.pszText));
        formats.push_back(header.fmt & LVCFMT_JUSTIFYMASK);
    }
    EXPECT_EQ(headers, (Names{L"文件名称", L"序号", L"文件大小", L"创建时间"}));
    EXPECT_EQ(formats, (std::vector<int>{LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT, LVCFMT_LEFT}));

    // The columns share the width beside the vertical scroll bar.
    RECT client{};
    GetClientRect(list, &client);
    int widths = 0;
    for (int column = 0; column < 4; ++column)
        widths += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    EXPECT_EQ(widths, client.right - GetSystemMetrics(SM_CXVSCROLL));

    const auto search = [&](const wchar_t* address, DWORD wait = 10000) {
        SetWindowTextW(GetDlgItem(window, AccountWindow::kAddressBox), address);
        return program.Press(window, AccountWindow::kFindButton, wait);
    };
    EXPECT_EQ(search(L"user@example.com", 0), L"");
    ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 4; }));
    const auto rows = ListRows(list, 3);
    // Numbers go on across sub-folders; a folder has no size.
    EXPECT_EQ(rows, (std::vector<Names>{{L"Favorite2.dat.2012.02.25.21", L"1", L"1000"}, {L"notes.txt", L"2", L"5"},
                                        {L"older", L"3", L""}, {L"Favorite2.dat.2011.12.31.23", L"4", L"300"}}));
    EXPECT_EQ(Entries(files), Names{L"Favorite2.dat.2012.02.25.21"});

    // Each refusal leaves both lists as they are.
    EXPECT_EQ(search(L""), L"错误: 请输入您的浏览器账户（邮件地址）");
    EXPECT_EQ(search(L"user@example"), L"错误: 请输入正确的邮箱地址");
    EXPECT_EQ(search(L"nobody@example.com"), L"提示: 账户目录不存在，可能是输入了错误的账号，请重新输入账号");
    Choose(window, RestorePanel::kFolderChooser, 1);
    EXPECT_EQ(search(L"user@example.com"), L"提示: Backup备份目录不存在，请选择其它备份目录");
    EXPECT_EQ(ListRows(list, 3), rows);
    EXPECT_EQ(Entries(files), Names{L"Favorite2.dat.2012.02.25.21"});

    // The row tip names the row under the pointer and follows it to another row; for a backup it tells what is
    // known of it. The first move onto a row makes its tip, which shows a moment after the next move if the pointer
    // rests.
    const auto tipShows = [&](const std::wstring& name, int row) {
        const RECT rect = ListRowRect(list, row);
        int nudge = 0;
        HWND tip = nullptr;
        WaitUntil([&] {
            MovePointer(list, {rect.left + 20 + (nudge ^= 1), (rect.top + rect.bottom) / 2});
            return (tip = program.WaitForTip(name)) != nullptr;
        });
        return tip ? ControlText(tip) : std::wstring();
    };
    for (const int row : {0, 3}) {
        EXPECT_TRUE(tipShows(rows[row][0], row).starts_with(rows[row][0] + L"\n文件大小：" + rows[row][2] + L'\n'))
            << "row " << row;
    }
    EXPECT_EQ(tipShows(L"notes.txt", 1), L"notes.txt");

    // A search under the resting pointer names the row now there; a long result needs no horizontal scroll bar.
    MakeFolders(account + L"\\Backup");
    for (int i = 0; i < 40; ++i) WriteBytes(account + L"\\Backup\\Favorite2.dat." + std::to_wstring(100 + i), "x");
    EXPECT_EQ(search(L"user@example.com", 0), L"");
    ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 40; }));
    const std::wstring rowNow = ListRows(list, 1)[3][0];
    EXPECT_NE(rowNow, rows[3][0]);
    EXPECT_FALSE(tipShows(rowNow, 3).empty());
    EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL);
}

TEST(ProvisioningTest, WritesAMissingLibraryLeavesOneThereAloneAndEndsOnAFolderInItsPlace) {
    const TempFolder root(L"qb-windir");
    const std::wstring windir = root / L"Windows";
    const std::wstring library = windir + L"\\SysWOW64\\MSCOMCTL.OCX";
    const std::wstring withLibrary = TestBinaryFolder() + L"\\QuillbarrowWithLibrary.exe";
    MakeFolders(windir + L"\\SysWOW64");
    const auto accountWindowOpens = [&](const std::wstring& program) {
        const ProgramUnderTest run(root / L"AppData", program, windir);
        return run.PressMainButton(MainWindow::kHaveAccountButton) && run.WaitForWindow(L"账户收藏恢复");
    };
    EXPECT_TRUE(accountWindowOpens(ProgramPath()));  // the default build carries no library
    EXPECT_EQ(ListNames(windir + L"\\SysWOW64"), Names{});
    EXPECT_TRUE(accountWindowOpens(withLibrary));
    EXPECT_EQ(ReadBytes(library), ReadBytes(TestBinaryFolder() + L"\\library_image.bin").value());
    WriteBytes(library, "");
    EXPECT_TRUE(accountWindowOpens(withLibrary));
    EXPECT_EQ(ReadBytes(library), "");

    DeleteFileW(library.c_str());
    MakeFolders(library);
    const ProgramUnderTest program(root / L"AppData", withLibrary, windir);
    ASSERT_TRUE(program.PressMainButton(MainWindow::kHaveAccountButton));
    EXPECT_EQ(program.AnswerMessageBox(), L"Error: 错误提示：Vista 或者Win7 系统的用户，请右键选择“以管理员身份运行”"
                                          L"Quillbarrow.exe重新打开工具。单击“确认”关闭工具。");
    EXPECT_TRUE(program.WaitForExit());
}
