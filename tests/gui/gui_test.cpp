// The real program driven from outside: its three windows, the restore panel they share with its tip, and the
// busy world: large and held files under the pointer, a question closed instead of answered, another account typed.
#include "digest/md5.h"
#include "digest/utf16le.h"
#include "gui_bench.h"

#include <gtest/gtest.h>

namespace {

// An account's profile folder below `appData`: the MD5 digest of its address in UTF-16LE.
std::wstring AccountFolder(const std::wstring& appData, const wchar_t* address) {
    const std::string digest = DigestText(Utf16LeBytes(address), 32);
    return appData + L"\\sogouexplorer\\" + std::wstring(digest.begin(), digest.end());
}

// The text of the tip that shows for `name` once the pointer has glided onto `point` of `control` and rests there,
// when it holds `line` (its facts are told when known, in place); empty when no such tip shows.
std::wstring TipAfterGlide(const ProgramUnderTest& program,
                           HWND control,
                           POINT point,
                           const std::wstring& name,
                           const std::wstring& line = L"") {
    Glide(control, point);
    const HWND tip = program.WaitForTip(name);
    std::wstring text;
    if (tip) WaitUntil([&] { return (text = ControlText(tip)).find(line) != std::wstring::npos; }, 30000);
    return text.find(line) != std::wstring::npos ? text : std::wstring();
}

}  // namespace

// The main window refuses while the browser runs, else its lower button opens the no-account window, which without
// backup folders says so; its chooser goes back to what the list shows after it names a missing folder.
TEST(MainWindowTest, RefusesWhileTheBrowserRunsElseOpensTheNoAccountWindowWhoseChooserFollowsTheList) {
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
    // Without backup folders, each choice of folder says so and there is nothing to restore. Shown while no window of
    // the program is on screen, the message stands on its own, so that it has a taskbar button.
    const HWND box = program.WaitForWindow(nullptr, 10000, L"#32770");
    ASSERT_TRUE(box);
    const HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_TRUE(!owner || IsWindowVisible(owner));
    EXPECT_EQ(program.AnswerMessageBox(), L"错误: DailyBackup备份目录不存在，请选在其它备份目录");
    const HWND window = program.WaitForWindow(L"本地收藏恢复");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(main); }));
    Choose(window, RestorePanel::kFolderChooser, 1);
    EXPECT_EQ(program.AnswerMessageBox(), L"错误: Backup备份目录不存在，请选在其它备份目录");
    // The chooser names again what it named before, as the list shows no backup folder.
    EXPECT_EQ(SendDlgItemMessageW(window, RestorePanel::kFolderChooser, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(program.Press(window, RestorePanel::kRestoreButton), L"错误: 未选中需要恢复的收藏文件，请重新选择");
    EXPECT_EQ(program.AnswerMessageBox(1000), L"");

    // With a backup folder listed, a choice of a missing one goes back to it too: a restore goes into the profile,
    // never beside the backups.
    const std::wstring profile = root / L"sogouexplorer";
    MakeFolders(profile + L"\\DailyBackup");
    WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.27.22", "backup");
    WriteBytes(profile + L"\\Favorite2.dat", "mine");
    const HWND files = GetDlgItem(window, RestorePanel::kFileList);
    Choose(window, RestorePanel::kFolderChooser, 0);
    ASSERT_TRUE(WaitUntil([&] { return Entries(files) == Names{L"Favorite2.dat.2012.02.27.22"}; }));
    Choose(window, RestorePanel::kFolderChooser, 1);
    EXPECT_EQ(program.AnswerMessageBox(), L"错误: Backup备份目录不存在，请选在其它备份目录");
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2012.02.27.22"));
    EXPECT_EQ(program.Press(window, RestorePanel::kRestoreButton), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    EXPECT_EQ(ListNames(profile), (Names{L"DailyBackup", L"Favorite2.dat", L"Favorite2Backup.dat"}));
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "backup");
    // The one window is the program's last: closing it ends the program.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit());
}

// The restore panel as each window holds it: before it knows a profile's backup folder it restores nothing, even from
// a start folder named as one (a drive's root Backup too); then it lists a backup folder, restores, undoes, keeps
// favorites saved nowhere else before either replaces them, tells each backup's facts in the tip of the entry the
// pointer rests on, and asks before a damaged backup.
class RestorePanelTest : public testing::TestWithParam<RestoreWindow> {
protected:
    bool Account() const { return GetParam() == RestoreWindow::Account; }
};

TEST_P(RestorePanelTest, RestoresOnlyIntoAKnownProfileKeepsUnsavedFavoritesTellsFactsAndAsksBeforeDamage) {
    const TempFolder root(L"qb-gui");
    const std::wstring profile =
        Account() ? AccountFolder(root / L"AppData", L"user@example.com") : root / L"AppData\\sogouexplorer";
    MakeFolders(profile);
    WriteBytes(profile + L"\\Favorite2.dat", "mine");
    // The tool kept in a folder named as a backup folder: on the desktop, or at a drive's root.
    const std::wstring start = Account() ? L"C:\\Backup" : root / L"Desktop\\DailyBackup";
    RemoveTree(start);
    MakeFolders(start);
    WriteBytes(start + L"\\Favorite2.dat.start", "start");
    const ProgramUnderTest program(root / L"AppData", ProgramPath(), start);
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
    EXPECT_EQ(press(RestorePanel::kUndoButton),
              Account() ? L"错误: 请先查找账户的备份目录" : L"提示: 未启动恢复，无需撤消恢复");
    EXPECT_EQ(ListNames(start), Names{L"Favorite2.dat.start"});
    EXPECT_EQ(ListNames(profile), Names{L"Favorite2.dat"});

    MakeFolders(profile + L"\\DailyBackup");
    MakeFolders(profile + L"\\Backup");
    for (const wchar_t* name : {L"DailyBackup\\Favorite2.dat.2012.02.27.22", L"DailyBackup\\readme.txt",
                                L"DailyBackup\\Favorite2.dat.2012.02.25.21", L"Backup\\Favorite2.dat.2011.12.31.23",
                                L"Backup\\Favorite2.dat.2011.12.31.20"}) {
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
    EXPECT_TRUE(WaitUntil([&] {
        return Entries(files) == Names{L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.27.22"};
    }));
    choose(1);
    EXPECT_TRUE(WaitUntil([&] {
        return Entries(files) == Names{L"Favorite2.dat.2011.12.31.20", L"Favorite2.dat.2011.12.31.23"};
    }));
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2011.12.31.23"));
    EXPECT_EQ(press(RestorePanel::kRestoreButton), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "Backup\\Favorite2.dat.2011.12.31.23");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2Backup.dat"), "mine");

    // The tip follows the resting pointer from entry to entry, and is made again after an undo changed the favorites
    // under a pointer that did not move: the backup that was the favorites' very bytes is no longer.
    EXPECT_NE(TipAfterGlide(program, files, EntryPoint(files, 0), L"Favorite2.dat.2011.12.31.20",
                            L"\n文件大小：34 字节 (34 字节)\n"),
              L"");
    EXPECT_NE(
        TipAfterGlide(program, files, EntryPoint(files, 1), L"Favorite2.dat.2011.12.31.23", L"\n与当前收藏夹相同"),
        L"");
    ASSERT_TRUE(TabTo(window, RestorePanel::kUndoButton));
    PressKey(window, VK_RETURN);
    EXPECT_EQ(program.AnswerMessageBox(), L"提示: 成功撤消恢复");
    const HWND tip = program.WaitForTip(L"Favorite2.dat.2011.12.31.23");
    EXPECT_TRUE(tip && WaitUntil([&] { return ControlText(tip).ends_with(L"\n比当前收藏夹大 750%"); }));
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "mine");
    EXPECT_FALSE(ReadBytes(profile + L"\\Favorite2Backup.dat"));

    // Favorites that exist nowhere else, over an undo copy from an earlier restore, are kept as a new copy first; the
    // lists show it at once, the file list still on the restored entry. So are those an undo would replace.
    EXPECT_EQ(press(RestorePanel::kRestoreButton), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    const auto keptAfter = [&](int button, std::wstring_view lead, const std::string& favorites) {
        WriteBytes(profile + L"\\Favorite2.dat", favorites);
        const std::wstring message = press(button);
        EXPECT_TRUE(message.starts_with(lead)) << Utf8(message);
        const std::wstring kept = message.substr(std::min(lead.size(), message.size()));
        EXPECT_EQ(ReadBytes(profile + L"\\Backup\\" + kept), favorites);
        if (Account()) {
            EXPECT_TRUE(
                WaitUntil([&] { return RowNamed(GetDlgItem(window, AccountWindow::kResultList), kept) != -1; }));
        }
        return kept;
    };
    const std::wstring kept = keptAfter(
        RestorePanel::kRestoreButton,
        L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹\n恢复前的收藏夹已另存到 Backup 文件夹：\n", "saved today");
    EXPECT_EQ(Entries(files), (Names{L"Favorite2.dat.2011.12.31.20", L"Favorite2.dat.2011.12.31.23", kept}));
    EXPECT_EQ(SendMessageW(files, LB_GETCURSEL, 0, 0), 1);
    keptAfter(RestorePanel::kUndoButton, L"提示: 成功撤消恢复\n撤消前的收藏夹已另存到 Backup 文件夹：\n",
              "added this afternoon");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), "mine");

    // Where the profile's format is known, a damaged backup is restored only when the user says Yes; No, the default,
    // changes nothing. A backup of the favorites' very bytes is not restored at all.
    WriteBytes(profile + L"\\Favorite2.dat", Database(8, 1));
    WriteBytes(profile + L"\\Backup\\Favorite2.dat.2011.12.31.22", Database(8, 2).substr(0, 5000));
    WriteBytes(profile + L"\\Backup\\Favorite2.dat.2011.12.31.21", Database(8, 1));
    choose(1);
    ASSERT_TRUE(WaitUntil([&] { return SelectEntry(files, L"Favorite2.dat.2011.12.31.22"); }));
    Click(window, RestorePanel::kRestoreButton);
    const HWND question = program.WaitForWindow(nullptr, 10000, L"#32770");
    ASSERT_TRUE(question);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(question, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    const wchar_t* const kDamaged = L"提示: 所选备份文件不完整或已损坏，\n恢复后浏览器可能读不出收藏夹。\n仍要恢复吗？";
    EXPECT_EQ(program.AnswerMessageBox(10000, IDNO), kDamaged);
    EXPECT_EQ(program.AnswerMessageBox(500), L"");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), Database(8, 1));
    Click(window, RestorePanel::kRestoreButton);
    EXPECT_EQ(program.AnswerMessageBox(10000, IDYES), kDamaged);
    EXPECT_EQ(program.AnswerMessageBox(), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), Database(8, 2).substr(0, 5000));
    EXPECT_EQ(press(RestorePanel::kUndoButton), L"提示: 成功撤消恢复");
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2011.12.31.21"));
    EXPECT_EQ(press(RestorePanel::kRestoreButton), L"提示: 所选备份与当前收藏夹完全相同，\n收藏夹没有改动。");
    EXPECT_FALSE(ReadBytes(profile + L"\\Favorite2Backup.dat"));

    // The damaged question ended by closing the window, as Task Manager's End task does, is a No: nothing is
    // restored, and the program ends.
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2011.12.31.22"));
    Click(window, RestorePanel::kRestoreButton);
    ASSERT_TRUE(program.WaitForWindow(nullptr, 10000, L"#32770"));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ(ReadBytes(profile + L"\\Favorite2.dat"), Database(8, 1));
    EXPECT_FALSE(ReadBytes(profile + L"\\Favorite2Backup.dat"));
    RemoveTree(start);
}

INSTANTIATE_TEST_SUITE_P(Windows,
                         RestorePanelTest,
                         testing::Values(RestoreWindow::Account, RestoreWindow::NoAccount),
                         [](const testing::TestParamInfo<RestoreWindow>& window) {
                             return window.param == RestoreWindow::Account ? "Account" : "NoAccount";
                         });

TEST(AccountWindowTest, RefusesBadSearchesListsTheBackupFolderShowsRowTipsAndActsOnlyOnTheListedAccount) {
    const TempFolder root(L"qb-gui");
    const std::wstring account = AccountFolder(root / L"AppData", L"user@example.com");
    const std::wstring longName = L"Favorite2.dat.2012.02.20.16.从旧电脑拷贝过来的收藏夹备份文件";
    MakeFolders(account + L"\\DailyBackup\\older");
    MakeFolders(AccountFolder(root / L"AppData", L"bob@example.com"));
    WriteBytes(account + L"\\Favorite2.dat", "mine");
    WriteBytes(account + L"\\DailyBackup\\Favorite2.dat.2012.02.25.21", std::string(409600, 'x'));
    WriteBytes(account + L"\\DailyBackup\\notes.txt", "notes");
    WriteBytes(account + L"\\DailyBackup\\" + longName, "by hand");
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

    const auto search = [&](const wchar_t* address, DWORD wait = 10000) {
        SetWindowTextW(GetDlgItem(window, AccountWindow::kAddressBox), address);
        return program.Press(window, AccountWindow::kFindButton, wait);
    };
    EXPECT_EQ(search(L"user@example.com", 0), L"");
    ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 5; }));
    const auto rows = ListRows(list, 3);
    // Numbers go on across sub-folders; a folder has no size, and its own image. An ideographic space keeps the size
    // from the time after it.
    EXPECT_EQ(rows, (std::vector<Names>{{longName, L"1", L"7\u3000"},
                                        {L"Favorite2.dat.2012.02.25.21", L"2", L"409600\u3000"},
                                        {L"notes.txt", L"3", L"5\u3000"},
                                        {L"older", L"4", L"\u3000"},
                                        {L"Favorite2.dat.2011.12.31.23", L"5", L"300\u3000"}}));
    const auto image = [&](int row) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendRemote(list, LVM_GETITEMW, 0, &item, sizeof(item));
        return item.iImage;
    };
    EXPECT_NE(image(3), image(0));
    EXPECT_EQ(Entries(files), (Names{longName, L"Favorite2.dat.2012.02.25.21"}));

    // Each refusal leaves both lists as they are.
    EXPECT_EQ(search(L""), L"错误: 请输入您的浏览器账户（邮件地址）");
    EXPECT_EQ(search(L"user@example"), L"错误: 请输入正确的邮箱地址");
    EXPECT_EQ(search(L"nobody@example.com"), L"提示: 账户目录不存在，可能是输入了错误的账号，请重新输入账号");
    EXPECT_EQ(search(L"bob@example.com"), L"提示: DailyBackup备份目录不存在，请选择其它备份目录");
    EXPECT_EQ(ListRows(list, 3), rows);
    EXPECT_EQ(Entries(files), (Names{longName, L"Favorite2.dat.2012.02.25.21"}));
    // With Bob's address in the box, the lists still show Alice's backups: neither restore nor undo touches them.
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2012.02.25.21"));
    const std::wstring otherAccount =
        L"错误: 文件列表里是这个账户的备份：\nuser@example.com\n不是输入框里的账户，收藏夹没有改动。\n"
        L"要恢复输入框里的账户，请先点“查找”。";
    EXPECT_EQ(program.Press(window, RestorePanel::kRestoreButton), otherAccount);
    EXPECT_EQ(program.Press(window, RestorePanel::kUndoButton), otherAccount);
    EXPECT_EQ(ListNames(account), (Names{L"DailyBackup", L"Favorite2.dat"}));

    // The row tip names the row the pointer rests on, gliding from row to row; for a backup it tells its facts.
    const auto rowTip = [&](int row, const std::wstring& line) {
        const RECT rect = ListRowRect(list, row);
        return TipAfterGlide(program, list, {rect.left + 20, (rect.top + rect.bottom) / 2}, rows[row][0], line);
    };
    EXPECT_NE(rowTip(1, L"\n文件大小：400 KB (409,600 字节)\n"), L"");
    EXPECT_NE(rowTip(4, L"\n文件大小：300 字节 (300 字节)\n"), L"");
    EXPECT_EQ(rowTip(2, L""), L"notes.txt");
    EXPECT_EQ(rowTip(3, L""), L"older");
}

// While the pointer rests on a backup whose facts take long to find (a 1 GiB pair that differs only at its end, a
// backup another program holds, 3000 backups of one size), the window answers at once and the tip tells the name;
// the facts follow in place. A held backup is no fact: once it is let go, the next look reads it.
TEST(BusyWorldTest, TheWindowAnswersWhileFactsAreFoundAndAFailedReadIsNoFact) {
    const TempFolder root(L"qb-gui");
    const std::wstring profile = root / L"AppData\\sogouexplorer";
    MakeSlowProfile(profile);
    WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.27.23", "held");
    // Held from the start, so that no look at it can have read it, whichever way the pointer comes.
    std::optional holder = HoldFile(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.27.23", L"none");
    const ProgramUnderTest program(root / L"AppData");
    ASSERT_TRUE(program.PressMainButton(MainWindow::kNoAccountButton));
    const HWND window = program.WaitForWindow(L"本地收藏恢复");
    const HWND files = GetDlgItem(window, RestorePanel::kFileList);
    ASSERT_TRUE(WaitUntil([&] { return Entries(files).size() == 2; }));

    Glide(files, EntryPoint(files, 0));
    EXPECT_LT(LongestUnansweredGap(window, 2000), 500.0);
    EXPECT_NE(TipAfterGlide(program, files, EntryPoint(files, 0), L"Favorite2.dat.2012.02.27.22",
                            L"\n文件大小：1.00 GB (1,073,741,824 字节)\n"),
              L"");
    const HWND tip = program.WaitForTip(L"Favorite2.dat.2012.02.27.22");
    EXPECT_TRUE(tip &&
                WaitUntil([&] { return ControlText(tip).ends_with(L"\n与当前收藏夹大小相同，内容不同"); }, 60000));
    Glide(files, EntryPoint(files, 1));
    EXPECT_LT(LongestUnansweredGap(window, 1500), 500.0);
    EXPECT_NE(TipAfterGlide(program, files, EntryPoint(files, 1), L"Favorite2.dat.2012.02.27.23",
                            L"\n现在读不出这份备份：另一个程序正在使用它"),
              L"");
    holder.reset();
    EXPECT_NE(TipAfterGlide(program, files, EntryPoint(files, 0), L"Favorite2.dat.2012.02.27.22"), L"");
    EXPECT_NE(TipAfterGlide(program, files, EntryPoint(files, 1), L"Favorite2.dat.2012.02.27.23", L"\n比当前收藏夹小"),
              L"");

    Choose(window, RestorePanel::kFolderChooser, 1);
    ASSERT_TRUE(WaitUntil([&] { return Entries(files).size() == 3000; }));
    for (const int entry : {1, 2}) {
        Glide(files, EntryPoint(files, entry));
        EXPECT_LT(LongestUnansweredGap(window, 1000), 500.0) << "entry " << entry;
    }
    EXPECT_NE(TipAfterGlide(program, files, EntryPoint(files, 3), Entries(files)[3], L"\n另有 2996 份备份与它相同"),
              L"");
}
