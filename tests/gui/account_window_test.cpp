// The account window, driven from outside: the address search and its refusals, the result list, the row
// tooltips, and restore and undo on the account's profile.
#include "control_ids.h"
#include "window_test.h"

#include <commctrl.h>

namespace {

using namespace account_window;
using main_window::kHaveAccount;

// Profile folders of the accounts: the MD5 digest of the address as typed, in UTF-16LE.
constexpr wchar_t kUserFolder[] = L"923f0c68321b444d558ab06cfe7b40cf";             // user@example.com
constexpr wchar_t kCapitalisedUserFolder[] = L"d19aac8393ee62990a0add804829cb5e";  // User@Example.com

const SeenMessageBox kEnterAccount{L"错误", L"请输入您的浏览器账户（邮件地址）", MB_ICONERROR};
const SeenMessageBox kInvalidAddress{L"错误", L"请输入正确的邮箱地址", MB_ICONERROR};
const SeenMessageBox kNoAccountFolder{L"提示", L"账户目录不存在，可能是输入了错误的账号，请重新输入账号",
                                      MB_ICONINFORMATION};
const SeenMessageBox kNoDailyBackup{L"提示", L"DailyBackup备份目录不存在，请选择其它备份目录", MB_ICONINFORMATION};

using Rows = std::vector<std::vector<std::wstring>>;
using Names = std::vector<std::wstring>;

Names NamesOf(const Rows& rows) {
    Names names;
    for (const auto& row : rows)
        names.push_back(row.at(0));
    return names;
}

// A row without its time text, which depends on the moment its entry was written.
std::vector<std::wstring> Untimed(const std::vector<std::wstring>& row) {
    return {row.begin(), row.begin() + 3};
}

// Sets a file's last-write time to a moment of local time.
void SetLocalWriteTime(const std::wstring& path, SYSTEMTIME local) {
    SYSTEMTIME universal{};
    FILETIME time{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal);
    SystemTimeToFileTime(&universal, &time);
    const UniqueFileHandle file{
        CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
    ASSERT_TRUE(file && SetFileTime(file.Get(), nullptr, nullptr, &time));
}

class AccountWindowTest : public WindowTest {
protected:
    HWND Open() { return OpenFrom(kHaveAccount, L"账户收藏恢复"); }
    HWND List() const { return Control(kListView1); }

    // An account's profile folder with the given backup folders in it.
    std::wstring AccountFolder(const wchar_t* digest, std::initializer_list<const wchar_t*> backupFolders) const {
        const std::wstring folder = profile.folder + L'\\' + digest;
        MakeFolders(folder);
        for (const wchar_t* backupFolder : backupFolders)
            MakeFolders(folder + L'\\' + backupFolder);
        return folder;
    }

    void PressFind(const std::wstring& address) const {
        SetWindowTextW(Control(kText1), address.c_str());
        Click(Control(kSearch));
    }
    std::optional<SeenMessageBox> Refusal(const std::wstring& address) const {
        PressFind(address);
        return program_->AnswerMessageBox();
    }
    // A search that finds `count` rows, a number the list must not show before.
    Rows Find(const std::wstring& address, int count) const {
        EXPECT_NE(ListRowCount(List()), count);
        PressFind(address);
        EXPECT_TRUE(WaitUntil([&] { return ListRowCount(List()) == count; }));
        EXPECT_FALSE(program_->HasMessageBox());
        return ListRows(List());
    }

    // The row tooltip (the program's one balloon), shown or not; null when there is none.
    HWND RowTooltip() const {
        for (const HWND tooltip : program_->Tooltips()) {
            if (GetWindowLongW(tooltip, GWL_STYLE) & TTS_BALLOON) return tooltip;
        }
        return nullptr;
    }
    // The text of the tip showing for `control`, waiting for it; empty when none shows.
    std::wstring ShownTipOf(HWND control) const {
        std::wstring text;
        WaitUntil([&] {
            for (const HWND tooltip : program_->Tooltips()) {
                const auto tip = IsWindowVisible(tooltip) ? CurrentTip(tooltip) : std::nullopt;
                if (tip && tip->tool == control) text = tip->text;
            }
            return !text.empty();
        });
        return text;
    }
    // Rests the pointer on a row's name: the first move makes the row's tip, which shows after the second.
    HWND HoverRow(int row) const {
        const HWND before = RowTooltip();
        const RECT rect = ListRowRect(List(), row);
        const POINT point{rect.left + 20, (rect.top + rect.bottom) / 2};
        MovePointer(List(), point);
        HWND tip = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (tip = RowTooltip()) != nullptr && tip != before; }));
        MovePointer(List(), {point.x + 1, point.y});
        return tip;
    }
};

}  // namespace

TEST_F(AccountWindowTest, OpensWithTheListFocusedAndEnterInTheAddressBoxSearches) {
    const std::wstring account = AccountFolder(kUserFolder, {L"DailyBackup"});
    WriteBytes(account + L"\\DailyBackup\\Favorite2.dat.2012.02.27.22", "backup");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(WaitUntil([&] { return program_->Windows() == std::vector<HWND>{window_}; }));

    // 15 twips a pixel at 96 dots per inch.
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 596);
    EXPECT_EQ(client.bottom, 534);
    const RECT list = RectIn(List(), window_);
    EXPECT_EQ(list.left, 16);
    EXPECT_EQ(list.top, 112);
    EXPECT_EQ(list.right - list.left, 566);
    EXPECT_EQ(list.bottom - list.top, 201);

    EXPECT_TRUE(WaitUntil([&] { return FocusOf(window_) == List(); }));
    PressKey(List(), VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(window_) == Control(kText1); }));
    SetWindowTextW(Control(kText1), L"user@example.com");
    PressKey(Control(kText1), VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return ListRowCount(List()) == 1; }));
    EXPECT_EQ(Entries(Control(kFile1)), Names{L"Favorite2.dat.2012.02.27.22"});

    PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(program_->WaitForExit(5000), 0u);
}

TEST_F(AccountWindowTest, EachRefusalSaysWhyAndLeavesBothListsAsTheyWere) {
    WriteBytes(workingFolder / L"Favorite2.dat.here", "x");
    const std::wstring account = AccountFolder(kUserFolder, {L"Backup"});
    WriteBytes(account + L"\\Backup\\Favorite2.dat.2012.01.31.09", "backup");
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboEntries(Control(kCombo1)), (Names{L"DailyBackup", L"Backup"}));
    EXPECT_EQ(ControlText(Control(kCombo1)), L"DailyBackup");
    const Names workingFiles{L"Favorite2.dat.here"};
    EXPECT_EQ(Entries(Control(kFile1)), workingFiles);

    EXPECT_EQ(Refusal(L""), kEnterAccount);
    EXPECT_EQ(Refusal(L"user@example"), kInvalidAddress);
    EXPECT_EQ(Refusal(L"nobody@example.com"), kNoAccountFolder);
    // The account's folder exists, but not the chosen backup folder: its name, then the message.
    EXPECT_EQ(Refusal(L"user@example.com"), kNoDailyBackup);
    EXPECT_EQ(Entries(Control(kFile1)), workingFiles);
    EXPECT_EQ(ListRowCount(List()), 0);

    Choose(Control(kCombo1), 1);
    EXPECT_EQ(NamesOf(Find(L"user@example.com", 1)), Names{L"Favorite2.dat.2012.01.31.09"});
    const Names backupFiles = Entries(Control(kFile1));
    EXPECT_EQ(backupFiles, Names{L"Favorite2.dat.2012.01.31.09"});
    const Rows found = ListRows(List());

    // Choosing alone does nothing; the next search refuses and both lists keep what they show.
    Choose(Control(kCombo1), 0);
    EXPECT_EQ(Refusal(L"user@example.com"), kNoDailyBackup);
    EXPECT_EQ(Refusal(L"nobody@example.com"), kNoAccountFolder);
    EXPECT_EQ(Refusal(L""), kEnterAccount);
    EXPECT_EQ(Entries(Control(kFile1)), backupFiles);
    EXPECT_EQ(ListRows(List()), found);
}

TEST_F(AccountWindowTest, ASearchListsEveryEntryBelowTheBackupFolderNumberedOnAcrossSubFolders) {
    const std::wstring daily = AccountFolder(kUserFolder, {L"DailyBackup", L"Backup"}) + L"\\DailyBackup";
    WriteBytes(daily + L"\\Favorite2.dat.2012.02.25.21", std::string(1000, 'x'));
    WriteBytes(daily + L"\\Favorite2.dat.2012.02.27.22", std::string(123456, 'x'));
    WriteBytes(daily + L"\\notes.txt", "notes");
    MakeFolders(daily + L"\\older");
    WriteBytes(daily + L"\\older\\Favorite2.dat.2011.12.31.23", std::string(300, 'x'));
    WriteBytes(daily + L"\\older\\Favorite2.dat.2012.01.31.09", "");
    SetLocalWriteTime(daily + L"\\Favorite2.dat.2012.02.27.22", {2012, 2, 1, 27, 22, 5, 0, 0});
    ASSERT_TRUE(Open());

    const Rows rows = Find(L"user@example.com", 6);
    const Rows expected{
        {L"Favorite2.dat.2012.02.25.21", L"1", L"1000"},
        {L"Favorite2.dat.2012.02.27.22", L"2", L"123456"},
        {L"notes.txt", L"3", L"5"},
        {L"older", L"4", L""},
        {L"Favorite2.dat.2011.12.31.23", L"5", L"300"},
        {L"Favorite2.dat.2012.01.31.09", L"6", L"0"},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(Untimed(rows[i]), expected[i]);
        EXPECT_FALSE(rows[i].at(3).empty()) << "row " << i + 1;
    }
    // Minutes, year, month name, day in the user's locale.
    const std::wstring& time = rows[1][3];
    EXPECT_EQ(time.substr(0, 11), L"22:05 2012/") << Utf8(time);
    EXPECT_EQ(time.substr(time.size() - 3), L"/27") << Utf8(time);
    EXPECT_GT(time.size(), 14u) << Utf8(time);
    EXPECT_EQ(Entries(Control(kFile1)), (Names{L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.27.22"}));

    RECT list{};
    GetClientRect(List(), &list);
    const std::vector<ListColumn> columns = ListColumns(List());
    ASSERT_EQ(columns.size(), 4u);
    const std::vector<ListColumn> expectedColumns{{L"文件名称", list.right / 3, LVCFMT_LEFT},
                                                  {L"序号", list.right / 6, LVCFMT_CENTER},
                                                  {L"文件大小", list.right / 6, LVCFMT_RIGHT},
                                                  {L"创建时间", list.right / 3, LVCFMT_LEFT}};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].header, expectedColumns[i].header);
        EXPECT_EQ(columns[i].format, expectedColumns[i].format) << Utf8(columns[i].header);
        EXPECT_NEAR(columns[i].width, expectedColumns[i].width, 1) << Utf8(columns[i].header);
    }

    // The next search replaces every row and numbers from 1 again; an empty folder leaves both lists empty.
    WriteBytes(daily + L"\\older\\Favorite2.dat.2012.02.28.08", "new");
    EXPECT_EQ(Untimed(Find(L"user@example.com", 7).back()),
              (std::vector<std::wstring>{L"Favorite2.dat.2012.02.28.08", L"7", L"3"}));
    Choose(Control(kCombo1), 1);
    Find(L"user@example.com", 0);
    EXPECT_EQ(Entries(Control(kFile1)), Names{});
}

TEST_F(AccountWindowTest, AddressesDifferingOnlyInCaseHaveTwoProfileFolders) {
    const std::wstring lower = AccountFolder(kUserFolder, {L"DailyBackup"});
    WriteBytes(lower + L"\\DailyBackup\\Favorite2.dat.lower", "x");
    const std::wstring capitalised = AccountFolder(kCapitalisedUserFolder, {L"DailyBackup"});
    WriteBytes(capitalised + L"\\DailyBackup\\Favorite2.dat.capital.1", "x");
    WriteBytes(capitalised + L"\\DailyBackup\\Favorite2.dat.capital.2", "x");
    ASSERT_TRUE(Open());

    EXPECT_EQ(NamesOf(Find(L"user@example.com", 1)), Names{L"Favorite2.dat.lower"});
    EXPECT_EQ(NamesOf(Find(L"User@Example.com", 2)), (Names{L"Favorite2.dat.capital.1", L"Favorite2.dat.capital.2"}));
    EXPECT_EQ(Entries(Control(kFile1)), (Names{L"Favorite2.dat.capital.1", L"Favorite2.dat.capital.2"}));
}

TEST_F(AccountWindowTest, RestoreAndUndoWorkOnTheAccountsProfile) {
    const std::wstring account = AccountFolder(kUserFolder, {L"DailyBackup"});
    WriteBytes(account + L"\\Favorite2.dat", "account favorites");
    WriteBytes(account + L"\\DailyBackup\\Favorite2.dat.2012.02.27.22", "backup copy");
    WriteBytes(profile.Favorites(), "shared favorites");
    ASSERT_TRUE(Open());
    Find(L"user@example.com", 1);

    EXPECT_EQ(Press(kRestore), (SeenMessageBox{L"错误", L"未选中需要恢复的收藏文件，请重新选择", MB_ICONERROR}));
    ASSERT_TRUE(SelectEntry(Control(kFile1), L"Favorite2.dat.2012.02.27.22"));
    EXPECT_EQ(Press(kRestore),
              (SeenMessageBox{L"提示", L"成功恢复备份数据，请重启浏览器后查看收藏夹", MB_ICONINFORMATION}));
    EXPECT_EQ(ReadBytes(account + L"\\Favorite2.dat"), "backup copy");
    EXPECT_EQ(ReadBytes(account + L"\\Favorite2Backup.dat"), "account favorites");

    EXPECT_EQ(Press(kUndo), (SeenMessageBox{L"提示", L"成功撤消恢复", MB_ICONINFORMATION}));
    EXPECT_EQ(ReadBytes(account + L"\\Favorite2.dat"), "account favorites");
    EXPECT_EQ(ListNames(account), (Names{L"DailyBackup", L"Favorite2.dat"}));
    EXPECT_EQ(ReadBytes(profile.Favorites()), "shared favorites");
    EXPECT_EQ(ReadBytes(profile.UndoCopy()), std::nullopt);
}

TEST_F(AccountWindowTest, TheRowTipNamesTheRowUnderThePointerAndGoesOffTheRows) {
    const std::wstring daily = AccountFolder(kUserFolder, {L"DailyBackup"}) + L"\\DailyBackup";
    for (const wchar_t* name : {L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.26.22", L"截图.png"}) {
        WriteBytes(daily + L'\\' + name, "x");
    }
    ASSERT_TRUE(Open());
    const Rows rows = Find(L"user@example.com", 3);

    const HWND first = HoverRow(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(ShownTipOf(List()), rows[0][0]);
    EXPECT_TRUE(IsWindowVisible(first));
    // Within the row, out to its time, the tip stays as it is.
    const RECT firstRow = ListRowRect(List(), 0);
    MovePointer(List(), {firstRow.right - 20, firstRow.top + 2});
    EXPECT_FALSE(WaitUntil([&] { return RowTooltip() != first; }, 300));

    const HWND third = HoverRow(2);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ShownTipOf(List()), L"截图.png");
    EXPECT_EQ(RowTooltip(), third);

    // Below the last row there is no row: the tip goes.
    const RECT lastRow = ListRowRect(List(), 2);
    MovePointer(List(), {lastRow.left + 20, lastRow.bottom + 3 * (lastRow.bottom - lastRow.top)});
    EXPECT_TRUE(WaitUntil([&] { return RowTooltip() == nullptr; }));

    // The file list's own tip names the entry under the pointer.
    const HWND file1 = Control(kFile1);
    const int lineHeight = static_cast<int>(SendMessageW(file1, LB_GETITEMHEIGHT, 0, 0));
    MovePointer(file1, {20, lineHeight + lineHeight / 2});
    MovePointer(file1, {21, lineHeight + lineHeight / 2});
    EXPECT_EQ(ShownTipOf(file1), L"Favorite2.dat.2012.02.26.22");
    EXPECT_EQ(RowTooltip(), nullptr);
}
