#include "account/account_window.h"

#include "account/account_folder.h"
#include "account/backup_scan.h"
#include "account/column_needs.h"
#include "account/scan_columns.h"
#include "account/time_column.h"
#include "common/message_box.h"
#include "common/texts.h"
#include "common/window_text.h"
#include "restore/file_names.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr ControlSpec kControls[] = {
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

// The address comes first: the focus waits in its box when the window opens, whatever the tab order.
constexpr FormSpec kForm{L"QuillbarrowAccountWindow", texts::kAccountCaption, 8940, 8010, kFixedFrame, kControls,
                         AccountWindow::kAddressBox};

constexpr std::array<const wchar_t*, 4> kHeaders = {texts::kColumnName, texts::kColumnNumber, texts::kColumnSize,
                                                    texts::kColumnTime};
constexpr int kFormats[] = {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT, LVCFMT_LEFT};

// The program's row image is icon resource 2, drawn for 16, 20, 24 and 32 pixels.
constexpr int kRowImage = 2;

struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

// The hourglass for as long as the object lives; the search runs without handling messages meanwhile.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};

}  // namespace

bool AccountWindow::Show() { return OpenForm(kForm); }

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
        case WM_DESTROY:
            // The tooltips have no owner: they would outlive the window.
            rowTooltip_.Destroy();
            panel_.Detach();
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

// Pointer movement over the list view comes here.
LRESULT CALLBACK AccountWindow::ResultListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR form) {
    if (message == WM_MOUSEMOVE) {
        reinterpret_cast<AccountWindow*>(form)->OnResultListMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

bool AccountWindow::OnCreate() {
    if (!panel_.Attach(hwnd_, RestorePanel::Profile::Account)) return false;

    const HWND resultList = Control(kResultList);
    for (std::size_t i = 0; i < kHeaders.size(); ++i) {
        LVCOLUMNW spec{};
        spec.mask = LVCF_TEXT | LVCF_FMT;
        spec.fmt = kFormats[i];
        spec.pszText = const_cast<wchar_t*>(kHeaders[i]);
        if (SendMessageW(resultList, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&spec)) < 0) return false;
    }
    SizeColumns();
    if (!SetRowImage()) return false;
    // A whole row answers LVM_HITTEST, not only its name: the row tip stays while the pointer is on the row.
    constexpr DWORD kListStyle = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT;
    SendMessageW(resultList, LVM_SETEXTENDEDLISTVIEWSTYLE, kListStyle, kListStyle);

    rowTooltip_.SetStyle(CTooltip::kBalloon);
    rowTooltip_.SetIcon(TTI_INFO);
    return SetWindowSubclass(resultList, ResultListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// The row image in the size for the window's DPI. The list view owns its image list; the one it gave back goes.
bool AccountWindow::SetRowImage() {
    const int size = MulDiv(16, Dpi(), USER_DEFAULT_SCREEN_DPI);
    UniqueImageList imageList{ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0)};
    const UniqueIcon rowImage{static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kRowImage), IMAGE_ICON, size, size, 0))};
    if (!imageList || !rowImage || ImageList_AddIcon(imageList.Get(), rowImage.Get()) < 0) return false;
    const UniqueImageList previous{reinterpret_cast<HIMAGELIST>(SendMessageW(
        Control(kResultList), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(imageList.Release())))};
    return true;
}

// The columns share the width beside the vertical scroll bar, so a long result needs no horizontal one; the name
// column takes from the others what it needs to show every listed name whole.
void AccountWindow::SizeColumns() {
    const HWND resultList = Control(kResultList);
    RECT list{};
    GetClientRect(resultList, &list);
    const int available = list.right - SystemMetricAtDpi(SM_CXVSCROLL, Dpi());
    const std::array<int, 4> widths = ColumnWidths(available, ColumnNeeds(resultList, kHeaders, rows_, Dpi()));
    for (std::size_t i = 0; i < widths.size(); ++i) SendMessageW(resultList, LVM_SETCOLUMNWIDTH, i, widths[i]);
}

// At a new DPI the columns, the row image and the tips are made anew in the new scale.
void AccountWindow::OnLayout() {
    SizeColumns();
    SetRowImage();
    ShowRowTip(0);
    panel_.OnLayout();
}

// The search: the account's backup folder, then every entry in it and below it as a row.
void AccountWindow::OnFind() {
    LocatedSource located = LocateAccountBackupFolder(WindowText(Control(kAddressBox)), panel_.ChosenFolder());
    if (located.refusal) {
        ShowNotice(hwnd_, *located.refusal);
        return;
    }
    const std::wstring backupFolder = BackupFolderPath(located.source);
    panel_.Bind(std::move(located.source));

    const HWND resultList = Control(kResultList);
    rows_.clear();
    SendMessageW(resultList, LVM_SETITEMCOUNT, 0, 0);
    {
        const WaitCursor hourglass;
        std::uint64_t counter = 0;
        FindFilesAPI(backupFolder, texts::kScanPattern, counter, rows_);
    }
    SizeColumns();
    SendMessageW(resultList, LVM_SETITEMCOUNT, rows_.size(), 0);
    InvalidateRect(resultList, nullptr, TRUE);
    // The rows changed under a pointer that may rest on the list: its tip must name the row there now.
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(resultList, &pointer);
    ShowRowTip(RowAt(pointer));
}

// Moving onto another row shows that row's name; moving off the rows removes the tip; moving within a row
// leaves it alone.
void AccountWindow::OnResultListMouseMove(POINT point) {
    const int row = RowAt(point);
    if (row != hoveredRow_) ShowRowTip(row);
}

// The 1-based row under a point of the list view's client area; 0 for none.
int AccountWindow::RowAt(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    return static_cast<int>(SendMessageW(Control(kResultList), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) + 1;
}

void AccountWindow::ShowRowTip(int row) {
    hoveredRow_ = row;
    if (row == 0 || static_cast<std::size_t>(row) > rows_.size()) {
        rowTooltip_.Destroy();
        return;
    }
    rowTooltip_.SetTipText(RowTip(row - 1));
    rowTooltip_.Create(Control(kResultList));
    AllowTipLines(rowTooltip_.Window());
}

// A row's name; for a backup copy (a file named as the file list's are), what is known of it after the name.
std::wstring AccountWindow::RowTip(std::size_t row) {
    std::wstring name(rows_.Name(row));
    const auto& source = panel_.Source();
    if (rows_[row].isFolder || !source || !IsBackupName(name)) return name;
    const std::wstring& folder = rows_.Folder(row);
    return panel_.Facts().Tip(folder.substr(0, folder.size() - 1), name, source->profileFolder);
}

void AccountWindow::OnResultListDisplayInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.size()) return;
    const ScanRow row = rows_[item.iItem];
    const std::wstring_view name = rows_.Name(item.iItem);
    if (item.mask & LVIF_IMAGE) item.iImage = 0;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    std::wstring text;
    switch (item.iSubItem) {
        case 0:
            text = name;
            break;
        case 1:
            text = std::to_wstring(row.number);
            break;
        case 2:
            text = SizeColumnText(row);
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
