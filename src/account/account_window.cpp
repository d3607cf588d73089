#include "account/account_window.h"

#include "account/account_search.h"
#include "account/backup_scan.h"
#include "account/column_needs.h"
#include "account/column_texts.h"
#include "account/column_widths.h"
#include "account/time_column.h"
#include "filesystem/paths.h"
#include "messages/texts.h"
#include "profile/backup_names.h"
#include "window/message_box.h"
#include "window/wait_cursor.h"
#include "window/window_text.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// clang-format off
constexpr ControlDesign kControls[] = {
    // id                               kind                       name          text                         left  top width height    font         tab frame
    {AccountWindow::kFindFrame,         ControlKind::Frame,        L"Frame1",    texts::kFindBackupsFrame,    { 120,  120, 8745, 4815}, kSimSun10_5, 0},
    {AccountWindow::kFolderLabel,       ControlKind::Label,        L"Label1",    texts::kChooseBackupFolder,  { 120,  360, 3015,  255}, kSimSun9,    2,  AccountWindow::kFindFrame},
    {AccountWindow::kAddressLabel,      ControlKind::Label,        L"Label2",    texts::kEnterAccountLabel,   {3600,  360, 3015,  255}, kSimSun9,    3,  AccountWindow::kFindFrame},
    {RestorePanel::kFolderChooser,      ControlKind::DropDownList, L"Combo1",    L"",                         { 120,  720, 3015,  300}, kSimSun12,   6,  AccountWindow::kFindFrame},
    {AccountWindow::kAddressBox,        ControlKind::TextBox,      L"Text1",     L"",                         {3600,  720, 3615,  375}, kSimSun12,   4,  AccountWindow::kFindFrame},
    {AccountWindow::kFindButton,        ControlKind::Button,       L"Command1",  texts::kFind,                {7320,  720, 1215,  375}, kSimSun9,    5,  AccountWindow::kFindFrame},
    {AccountWindow::kResultsLabel,      ControlKind::Label,        L"Label3",    texts::kResultsLabel,        { 120, 1320, 7935,  375}, kSimSun9,    7,  AccountWindow::kFindFrame},
    {AccountWindow::kResultList,        ControlKind::ListView,     L"ListView1", L"",                         { 120, 1560, 8490, 3015}, kSimSun9,    1,  AccountWindow::kFindFrame},
    {AccountWindow::kRestoreFrame,      ControlKind::Frame,        L"Frame2",    texts::kRestoreFrame,        { 120, 5040, 8775, 2775}, kSimSun10_5, 8},
    {RestorePanel::kFileList,           ControlKind::FileList,     L"File1",     L"",                         { 120,  360, 4095, 2250}, kSimSun9,    9,  AccountWindow::kRestoreFrame},
    {AccountWindow::kInstructionsLabel, ControlKind::Label,        L"Label4",    texts::kAccountInstructions, {4440,  480, 4095,  735}, kSimSun12,   10, AccountWindow::kRestoreFrame},
    {RestorePanel::kRestoreButton,      ControlKind::Button,       L"Command2",  texts::kRestore,             {4440, 1560, 1815,  375}, kSimSun9,    11, AccountWindow::kRestoreFrame},
    {RestorePanel::kUndoButton,         ControlKind::Button,       L"Command4",  texts::kUndoRestore,         {6720, 1560, 1815,  375}, kSimSun9,    13, AccountWindow::kRestoreFrame},
    {RestorePanel::kLaunchButton,       ControlKind::Button,       L"Command3",  texts::kStartBrowser,        {4440, 2160, 4095,  375}, kSimSun9,    12, AccountWindow::kRestoreFrame},
};
// clang-format on

// The address comes first: the focus waits in its box when the window opens, whatever the tab order.
constexpr WindowDesign kWindow{L"QuillbarrowAccountWindow", texts::kAccountCaption, 8940, 8010, kFixedFrame, kControls,
                               AccountWindow::kAddressBox};

constexpr std::array<const wchar_t*, 4> kHeaders = {texts::kColumnName, texts::kColumnNumber, texts::kColumnSize,
                                                    texts::kColumnTime};
constexpr int kFormats[] = {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT, LVCFMT_LEFT};

// The row images, icon resources drawn for 16, 20, 24 and 32 pixels: a file's and a folder's.
constexpr int kFileImage = 2, kFolderImage = 3;

struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

bool AddIcon(HIMAGELIST images, int resource, int size) {
    const UniqueIcon icon{static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0))};
    return icon && ImageList_AddIcon(images, icon.Get()) >= 0;
}

}  // namespace

bool AccountWindow::Show() {
    return Open(kWindow);
}

LRESULT AccountWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            if (panel_.HandleCommand(wParam)) return 0;
            // The find button, and Enter in the address box, search.
            if ((LOWORD(wParam) == kFindButton && HIWORD(wParam) == BN_CLICKED) ||
                (LOWORD(wParam) == IDOK && GetFocus() == Control(kAddressBox))) {
                OnFind();
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == kResultList && header->code == LVN_GETDISPINFOW) {
                OnResultListDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
                return 0;
            }
            break;
        }
        case RestorePanel::kFactsReadyMessage:
            panel_.OnFactsReady();
            rowTip_.Update();
            return 0;
        case WM_DESTROY:
            panel_.Detach();
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

bool AccountWindow::OnCreate() {
    if (!panel_.Attach(hwnd_, RestorePanel::Listing::BySearch)) return false;
    // Restore and undo act on the account the lists show, and only while the address box names it; each may keep
    // a copy in the listed folder, which the result list shows at once.
    panel_.SetHooks([this] { return OtherAccountRefusal(WindowText(Control(kAddressBox)), listedAddress_); },
                    [this] {
                        if (!listedAddress_.empty()) ListBackups();
                    });

    const HWND resultList = Control(kResultList);
    for (std::size_t i = 0; i < kHeaders.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.fmt = kFormats[i];
        column.pszText = const_cast<wchar_t*>(kHeaders[i]);
        if (SendMessageW(resultList, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column)) < 0) return false;
    }
    // A whole row answers LVM_HITTEST, not only its name: the row tip stays while the pointer is on the row.
    constexpr DWORD kListStyle = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT;
    SendMessageW(resultList, LVM_SETEXTENDEDLISTVIEWSTYLE, kListStyle, kListStyle);
    if (!SetRowImages()) return false;
    SizeColumns();
    return rowTip_.Attach(resultList, CTooltip::kBalloon, TTI_INFO,
                          {[this](POINT point) { return RowKey(point); },
                           [this](const std::wstring& key, bool fresh) { return RowTip(key, fresh); }, nullptr});
}

// The row images in the size for the window's DPI. The list view owns its image list; the one it gave back goes.
bool AccountWindow::SetRowImages() {
    const int size = MulDiv(16, Dpi(), USER_DEFAULT_SCREEN_DPI);
    UniqueImageList images{ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0)};
    if (!images || !AddIcon(images.Get(), kFileImage, size) || !AddIcon(images.Get(), kFolderImage, size)) return false;
    const UniqueImageList previous{reinterpret_cast<HIMAGELIST>(
        SendMessageW(Control(kResultList), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.Release())))};
    return true;
}

// The columns share the width beside the vertical scroll bar; the name column takes from the others what it needs
// to show every listed name whole, and where that is not enough it grows past the list, which then scrolls.
void AccountWindow::SizeColumns() {
    const HWND resultList = Control(kResultList);
    RECT list{};
    GetClientRect(resultList, &list);
    const int available = list.right - SystemMetricAtDpi(SM_CXVSCROLL, Dpi());
    const std::array<int, 4> widths = ColumnWidths(available, ColumnNeeds(resultList, kHeaders, rows_, Dpi()));
    for (std::size_t i = 0; i < widths.size(); ++i)
        SendMessageW(resultList, LVM_SETCOLUMNWIDTH, i, widths[i]);
}

// At a new DPI the columns, the row images and the tips are made anew in the new scale.
void AccountWindow::OnLayout() {
    SetRowImages();
    SizeColumns();
    rowTip_.Remake();
    panel_.OnLayout();
}

// The search: the account's backup folder, then every entry in it and below it as a row.
void AccountWindow::OnFind() {
    const std::wstring address = WindowText(Control(kAddressBox));
    Located<Profile> located = LocateAccount(address, panel_.ChosenFolder());
    if (!located.found) return ShowNotice(hwnd_, located.refusal);
    panel_.Bind(std::move(*located.found), panel_.ChosenFolder());
    listedAddress_ = address;
    ListBackups();
}

// The rows of the listed backup folder anew, the old ones gone first so that both are never held at once.
void AccountWindow::ListBackups() {
    const HWND resultList = Control(kResultList);
    rows_.clear();
    SendMessageW(resultList, LVM_SETITEMCOUNT, 0, 0);
    {
        const WaitCursor hourglass;
        std::uint64_t counter = 0;
        FindFilesAPI(panel_.ListedFolder(), texts::kScanPattern, counter, rows_);
    }
    SizeColumns();
    SendMessageW(resultList, LVM_SETITEMCOUNT, rows_.size(), 0);
    InvalidateRect(resultList, nullptr, TRUE);
    // The rows changed under a pointer that may rest on the list: its tip must name the row there now.
    rowTip_.Refresh();
}

// A row's key: its folder and name, "\" between, so that it names the same entry however the rows move; empty
// where the point is on no row.
std::wstring AccountWindow::RowKey(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    const auto row = SendMessageW(Control(kResultList), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return {};
    const std::size_t index = static_cast<std::size_t>(row);
    return JoinPath(rows_.Folder(index), rows_.Name(index)) + (rows_[index].isFolder ? L"\\" : L"");
}

// A row's name; for a backup copy (a file named as the file list's are), what is known of it after the name.
std::wstring AccountWindow::RowTip(const std::wstring& key, bool fresh) {
    if (key.ends_with(L'\\')) return std::wstring(LastComponent(key.substr(0, key.size() - 1)));
    const std::wstring name(LastComponent(key));
    return IsBackupName(name) ? panel_.BackupTip(std::wstring(FolderOf(key)), name, fresh) : name;
}

void AccountWindow::OnResultListDisplayInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.size()) return;
    const ScanRow row = rows_[item.iItem];
    if (item.mask & LVIF_IMAGE) item.iImage = row.isFolder ? 1 : 0;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    std::wstring text;
    switch (item.iSubItem) {
        case 0:
            text = rows_.Name(item.iItem);
            break;
        case 1:
            text = std::to_wstring(row.number);
            break;
        case 2:
            text = SizeCellText(row);
            break;
        default:
            text = TimeColumnText(row);
            break;
    }
    // Into the list's own buffer: a text lent from here would change under the list at the next request.
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    text.copy(item.pszText, length);
    item.pszText[length] = L'\0';
}
