// The windows at 96, 120, 144 and 192 DPI, and after a change of DPI: every window and control where its twips put it,
// a label grown only where its text needs the room, the file lists in whole rows, and every text whole in its font:
// labels, buttons, frame captions, column headers, the listed names in both lists, the row image in the size for the
// DPI, and the lines of the message boxes; the tips name what the pointer rests on.
#include "window/dpi.h"
#include "gui_bench.h"

#include <gtest/gtest.h>

#include <span>

namespace {

using Panel = RestorePanel;

enum class Kind { Label, Button, Frame, FileList, Other };

struct Expected {
    int id;
    Kind kind;
    int left, top, width, height;  // twips in the client area; height 0: a drop-down list sizes itself
    int tenthPoints;               // of SimSun
};

// A window's designed client size in twips, and its controls.
struct Design {
    int width, height;
    std::span<const Expected> controls;
};

// The designed geometry, frame offsets added: Frame1 at 120, 120 and Frame2 at 120, 5040.
constexpr Expected kMainControls[] = {
    {MainWindow::kHaveAccountButton, Kind::Button, 480, 360, 2775, 735, 120},
    {MainWindow::kNoAccountButton, Kind::Button, 480, 1320, 2775, 735, 120},
};
constexpr Expected kNoAccountControls[] = {
    {NoAccountWindow::kFolderLabel, Kind::Label, 120, 120, 3855, 255, 90},
    {Panel::kFolderChooser, Kind::Other, 120, 480, 4095, 0, 120},
    {Panel::kFileList, Kind::FileList, 120, 960, 4095, 2250, 90},
    {NoAccountWindow::kInstructionsLabel, Kind::Label, 240, 3360, 3855, 855, 105},
    {Panel::kRestoreButton, Kind::Button, 120, 4320, 1815, 375, 90},
    {Panel::kUndoButton, Kind::Button, 2280, 4320, 1935, 375, 90},
    {Panel::kLaunchButton, Kind::Button, 120, 4920, 4095, 375, 90},
};
constexpr Expected kAccountControls[] = {
    {AccountWindow::kFindFrame, Kind::Frame, 120, 120, 8745, 4815, 105},
    {AccountWindow::kFolderLabel, Kind::Label, 240, 480, 3015, 255, 90},
    {AccountWindow::kAddressLabel, Kind::Label, 3720, 480, 3015, 255, 90},
    {Panel::kFolderChooser, Kind::Other, 240, 840, 3015, 0, 120},
    {AccountWindow::kAddressBox, Kind::Other, 3720, 840, 3615, 375, 120},
    {AccountWindow::kFindButton, Kind::Button, 7440, 840, 1215, 375, 90},
    {AccountWindow::kResultsLabel, Kind::Label, 240, 1440, 7935, 375, 90},
    {AccountWindow::kResultList, Kind::Other, 240, 1680, 8490, 3015, 90},
    {AccountWindow::kRestoreFrame, Kind::Frame, 120, 5040, 8775, 2775, 105},
    {Panel::kFileList, Kind::FileList, 240, 5400, 4095, 2250, 90},
    {AccountWindow::kInstructionsLabel, Kind::Label, 4560, 5520, 4095, 735, 120},
    {Panel::kRestoreButton, Kind::Button, 4560, 6600, 1815, 375, 90},
    {Panel::kUndoButton, Kind::Button, 6840, 6600, 1815, 375, 90},
    {Panel::kLaunchButton, Kind::Button, 4560, 7200, 4095, 375, 90},
};
constexpr Design kMain{3840, 2400, kMainControls}, kNoAccount{4305, 5445, kNoAccountControls},
    kAccount{8940, 8010, kAccountControls};

// Names of the account's backups: the browser's, a kept copy's, one copied in by hand, and one longer still, in a
// sub-folder.
const wchar_t* const kNames[] = {L"Favorite2.dat.2012.02.21", L"Favorite2.dat.2012.02.22",
                                 L"Favorite2.dat.2012.02.20.16.从旧电脑拷贝过来的收藏夹备份文件",
                                 L"副本\\Favorite2.dat.2026.12.07.14.05.33.001",
                                 L"副本\\Favorite2.dat.2012.02.27.22 副本 (2)"};

int Pixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

bool Near(int a, int b) {
    return a - b <= 1 && b - a <= 1;
}

const bool kAware = MakeDpiAware();

RECT ScaledRect(const Expected& expected, int dpi) {
    const int left = Pixels(expected.left, dpi), top = Pixels(expected.top, dpi);
    return {left, top, left + Pixels(expected.width, dpi), top + Pixels(expected.height, dpi)};
}

bool Intersect(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// The rectangle of a control in its window's client area.
RECT ClientRectOf(HWND window, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The size a text takes in SimSun of this size at this DPI, broken into lines within `width` as a label breaks it, or
// on one line where `width` is 0.
SIZE TextSize(const std::wstring& text, int tenthPoints, int dpi, int width = 0) {
    LOGFONTW face{};
    face.lfHeight = -((tenthPoints * dpi + 360) / 720);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = GB2312_CHARSET;
    wcscpy(face.lfFaceName, L"SimSun");
    const UniqueFont font{CreateFontIndirectW(&face)};
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font.Get());
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (width ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    DeleteDC(dc);
    return {rect.right, rect.bottom};
}

// Every control where its twips put it at `dpi` (a drop-down list's closed box sizes itself; a label may have grown
// where its text needs it, into room no other control takes; a file list shows whole rows of its font's lines, as
// many as its height holds), and its text whole: a label's within the part of it that no control covers, a button's
// and a frame caption's on one line. A file list's scroll range covers its widest name.
void CheckLayout(HWND window, const Design& design, int dpi) {
    const std::span<const Expected> controls = design.controls;
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_TRUE(Near(client.right, Pixels(design.width, dpi)) && Near(client.bottom, Pixels(design.height, dpi)))
        << "client " << client.right << " x " << client.bottom << " at " << dpi;
    for (const Expected& expected : controls) {
        const HWND control = GetDlgItem(window, expected.id);
        const RECT rect = ClientRectOf(window, control);
        const RECT designed = ScaledRect(expected, dpi);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        const int designedWidth = designed.right - designed.left, designedHeight = designed.bottom - designed.top;
        const bool mayGrow = expected.kind == Kind::Label && dpi != 96;
        bool heightRight = expected.height == 0 || Near(height, designedHeight) || (mayGrow && height > designedHeight);
        if (expected.kind == Kind::FileList) {
            RECT inside{};
            GetClientRect(control, &inside);
            const int row = static_cast<int>(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0));
            heightRight = height <= designedHeight && designedHeight - height < row && inside.bottom % row == 0 &&
                          row >= TextSize(L"文", 90, dpi).cy;
            int widest = 0;
            for (const std::wstring& name : Entries(control))
                widest = std::max<int>(widest, TextSize(name, 90, dpi).cx);
            EXPECT_GE(SendMessageW(control, LB_GETHORIZONTALEXTENT, 0, 0), widest) << "file list at " << dpi;
        }
        EXPECT_TRUE(Near(rect.left, designed.left) && Near(rect.top, designed.top) &&
                    (Near(width, designedWidth) || (mayGrow && width > designedWidth)) && heightRight)
            << "control " << expected.id << " at " << dpi << ": " << rect.left << ", " << rect.top << ", " << width
            << " x " << height;
        if (expected.kind == Kind::Other || expected.kind == Kind::FileList) continue;

        // What covers a label: a control that takes the focus and starts within it.
        LONG visibleBottom = rect.bottom;
        for (const Expected& other : controls) {
            if (other.id == expected.id || other.kind == Kind::Frame) continue;
            const RECT otherRect = ClientRectOf(window, GetDlgItem(window, other.id));
            if (mayGrow && !Intersect(designed, ScaledRect(other, dpi))) {
                EXPECT_FALSE(Intersect(rect, otherRect)) << "control " << expected.id << " grew over " << other.id;
            }
            if (expected.kind == Kind::Label && other.kind != Kind::Label && otherRect.top > rect.top &&
                otherRect.top < visibleBottom && otherRect.left < rect.right && otherRect.right > rect.left) {
                visibleBottom = otherRect.top;
            }
        }
        const std::wstring text = ControlText(control);
        const SIZE size = expected.kind == Kind::Label ? TextSize(text, expected.tenthPoints, dpi, width)
                                                       : TextSize(text, expected.tenthPoints, dpi);
        const LONG room = expected.kind == Kind::Frame ? width - 16 : expected.kind == Kind::Button ? width - 6 : width;
        const LONG roomHeight = expected.kind == Kind::Frame ? height : visibleBottom - rect.top;
        EXPECT_TRUE(size.cx <= room && size.cy <= roomHeight)
            << "control " << expected.id << " at " << dpi << " cuts its text: " << size.cx << " x " << size.cy << " in "
            << room << " x " << roomHeight;
    }
}

// The account window's column headers, aligned as designed, within their columns; each listed name within its row's
// label, and the row image in the size for the DPI.
void CheckResultList(HWND list, int dpi) {
    const std::pair<const wchar_t*, int> headers[] = {
        {L"文件名称", LVCFMT_LEFT}, {L"序号", LVCFMT_CENTER}, {L"文件大小", LVCFMT_RIGHT}, {L"创建时间", LVCFMT_LEFT}};
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        header.cchTextMax = 1023;
        EXPECT_EQ(SendRemote(list, LVM_GETCOLUMNW, column, &header, sizeof(header), &header.pszText),
                  headers[column].first);
        EXPECT_EQ(header.fmt & LVCFMT_JUSTIFYMASK, headers[column].second) << "column " << column;
        EXPECT_LE(TextSize(headers[column].first, 90, dpi).cx + 6, header.cx) << "column " << column << " at " << dpi;
    }
    const auto rows = ListRows(list, 3);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const RECT label = ListRowRect(list, row, LVIR_LABEL), image = ListRowRect(list, row, LVIR_ICON);
        EXPECT_LE(TextSize(rows[row][0], 90, dpi).cx + 4, label.right - label.left)
            << Utf8(rows[row][0]) << " at " << dpi;
        EXPECT_EQ(image.right - image.left, MulDiv(16, dpi, 96)) << "row image at " << dpi;
    }
}

// Moves `window` to a monitor of `dpi`, as Windows tells a window, suggesting the place it should take: the designed
// client area at that DPI in the window's frame, which Wine draws at the system's DPI whatever the window's.
void MoveToDpi(HWND window, const Design& design, int dpi) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    RECT suggested{100, 50, 100 + Pixels(design.width, dpi) + (outer.right - outer.left) - client.right,
                   50 + Pixels(design.height, dpi) + (outer.bottom - outer.top) - client.bottom};
    SendRemote(window, kDpiChangedMessage, MAKEWPARAM(dpi, dpi), &suggested, sizeof(suggested));
}

// The account's folder is the MD5 digest of user@example.com in UTF-16LE; a search of it lists kNames.
std::wstring MakeAccount(const TempFolder& root) {
    const std::wstring account = root / L"AppData\\sogouexplorer\\923f0c68321b444d558ab06cfe7b40cf";
    MakeFolders(account + L"\\DailyBackup\\副本");
    MakeFolders(root / L"AppData\\sogouexplorer\\DailyBackup");
    for (const wchar_t* name : kNames)
        WriteBytes(account + L"\\DailyBackup\\" + name, Utf8(name));
    WriteBytes(account + L"\\Favorite2.dat", "mine");
    return account;
}

// Another scale for a window to move to from `dpi`.
int OtherDpi(int dpi) {
    return dpi == 96 ? 192 : dpi - 24;
}

class DpiTest : public testing::TestWithParam<int> {
protected:
    DpiTest() { SetScreenDpi(GetParam()); }
    ~DpiTest() override { SetScreenDpi(96); }
};

}  // namespace

// Each window at the screen's DPI, then moved to a monitor of another scale: it takes the place Windows suggests and
// lays every control out anew at that DPI, its fonts too, and the result list's columns and row image follow.
TEST_P(DpiTest, EveryWindowAndControlIsPlacedAndWholeAlsoAfterAMoveToAnotherScale) {
    const int dpi = GetParam();
    ASSERT_TRUE(kAware);
    const TempFolder root(L"qb-dpi");
    const std::wstring account = MakeAccount(root);
    {
        const ProgramUnderTest program(root / L"AppData");
        const HWND main = program.WaitForWindow(L"收藏夹备份恢复");
        ASSERT_TRUE(main);
        CheckLayout(main, kMain, dpi);
        MoveToDpi(main, kMain, OtherDpi(dpi));
        CheckLayout(main, kMain, OtherDpi(dpi));
        Click(main, MainWindow::kNoAccountButton);
        const HWND noAccount = program.WaitForWindow(L"本地收藏恢复");
        ASSERT_TRUE(noAccount);
        CheckLayout(noAccount, kNoAccount, dpi);
        MoveToDpi(noAccount, kNoAccount, OtherDpi(dpi));
        CheckLayout(noAccount, kNoAccount, OtherDpi(dpi));
    }
    const ProgramUnderTest program(root / L"AppData");
    ASSERT_TRUE(program.PressMainButton(MainWindow::kHaveAccountButton));
    const HWND window = program.WaitForWindow(L"账户收藏恢复");
    ASSERT_TRUE(window);
    CheckLayout(window, kAccount, dpi);
    const HWND list = GetDlgItem(window, AccountWindow::kResultList);
    SetWindowTextW(GetDlgItem(window, AccountWindow::kAddressBox), L"user@example.com");
    EXPECT_EQ(program.Press(window, AccountWindow::kFindButton, 0), L"");
    ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 6; }));
    CheckLayout(window, kAccount, dpi);
    CheckResultList(list, dpi);

    // The row tip and the file list's tip name what the pointer rests on, after one glide.
    const RECT row = ListRowRect(list, RowNamed(list, L"Favorite2.dat.2012.02.21"));
    Glide(list, {row.left + 20, (row.top + row.bottom) / 2});
    EXPECT_TRUE(program.WaitForTip(L"Favorite2.dat.2012.02.21"));
    // The file list's tip leaves its entry in sight, also where the screen ends just below it; it goes as soon as the
    // pointer leaves the entries.
    const HWND files = GetDlgItem(window, Panel::kFileList);
    const auto tipOverSecondEntry = [&] {
        Glide(files, EntryPoint(files, 1));
        const HWND tip = program.WaitForTip(L"Favorite2.dat.2012.02.21");
        RECT entry{}, tipRect{};
        SendMessageW(files, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&entry));
        MapWindowPoints(files, nullptr, reinterpret_cast<POINT*>(&entry), 2);
        GetWindowRect(tip, &tipRect);
        EXPECT_TRUE(tip && !Intersect(tipRect, entry)) << "tip at " << tipRect.top << ", entry at " << entry.top;
        return std::pair(tip, entry);
    };
    const auto [tip, entry] = tipOverSecondEntry();
    Glide(files, {20, static_cast<LONG>(SendMessageW(files, LB_GETITEMHEIGHT, 0, 0)) * 6});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(tip); }, 1000));

    // The messages keep every path and name whole and leave no letter alone on a line: a restore that keeps the
    // favorites as a copy of their own, a browser that is not installed where the registry says.
    ASSERT_TRUE(SelectEntry(files, L"Favorite2.dat.2012.02.22"));
    EXPECT_EQ(program.Press(window, Panel::kRestoreButton), L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹");
    WriteBytes(account + L"\\Favorite2.dat", "added");
    const std::wstring kept = program.Press(window, Panel::kRestoreButton);
    EXPECT_TRUE(
        kept.starts_with(
            L"提示: 成功恢复备份数据，请重启浏览器后查看收藏夹\n恢复前的收藏夹已另存到 DailyBackup 文件夹：\n") &&
        kept.find(L"[broken") == std::wstring::npos)
        << Utf8(kept);
    const std::wstring missing = L"C:\\Program Files (x86)\\SogouExplorer";
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432Node\\SogouExplorer", nullptr, REG_SZ, missing.c_str(),
                    (missing.size() + 1) * 2);
    EXPECT_EQ(program.Press(window, Panel::kLaunchButton),
              L"错误: 无法启动搜狗浏览器，\n安装文件夹里找不到 sogouexplorer.exe：\n" + missing +
                  L"\n请重新安装搜狗浏览器。");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432Node\\SogouExplorer");

    RECT placed{};
    GetWindowRect(window, &placed);
    SetWindowPos(window, nullptr, placed.left, placed.top + GetSystemMetrics(SM_CYSCREEN) - entry.bottom - 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    tipOverSecondEntry();

    MoveToDpi(window, kAccount, OtherDpi(dpi));
    CheckLayout(window, kAccount, OtherDpi(dpi));
    CheckResultList(list, OtherDpi(dpi));
}

INSTANTIATE_TEST_SUITE_P(Screens, DpiTest, testing::Values(96, 120, 144, 192), testing::PrintToStringParamName());
