#include "account/form2.h"

#include "account/account_folder.h"
#include "account/backup_scan.h"
#include "account/scan_columns.h"
#include "account/time_column.h"
#include "browser/launch.h"
#include "common/backup_folder_choice.h"
#include "common/message_box.h"
#include "common/texts.h"
#include "common/window_text.h"
#include "restore/profile_paths.h"
#include "restore/restore.h"

#include <windowsx.h>

namespace {

constexpr ControlSpec kControls[] = {
    // id               kind                       name          text                       left  top   width height  font         tab frame
    {Form2::kFrame1,    ControlKind::Frame,        L"Frame1",    texts::kFindBackupsFrame,  {120,  120, 8745, 4815}, kSimSun10_5, 0},
    {Form2::kLabel1,    ControlKind::Label,        L"Label1",    texts::kChooseBackupFolder, {120, 360, 3015, 255},  kSimSun9,    2,  Form2::kFrame1},
    {Form2::kLabel2,    ControlKind::Label,        L"Label2",    texts::kEnterAccountLabel, {3600, 360, 3015, 255},  kSimSun9,    3,  Form2::kFrame1},
    {Form2::kCombo1,    ControlKind::DropDownList, L"Combo1",    L"",                       {120,  720, 3015, 300},  kSimSun12,   6,  Form2::kFrame1},
    {Form2::kText1,     ControlKind::TextBox,      L"Text1",     L"",                       {3600, 720, 3615, 375},  kSimSun12,   4,  Form2::kFrame1},
    {Form2::kCommand1,  ControlKind::Button,       L"Command1",  texts::kFind,              {7320, 720, 1215, 375},  kSimSun9,    5,  Form2::kFrame1},
    {Form2::kLabel3,    ControlKind::Label,        L"Label3",    texts::kResultsLabel,      {120, 1320, 7935, 375},  kSimSun9,    7,  Form2::kFrame1},
    {Form2::kListView1, ControlKind::ListView,     L"ListView1", L"",                       {120, 1560, 8490, 3015}, kSimSun9,    1,  Form2::kFrame1},
    {Form2::kFrame2,    ControlKind::Frame,        L"Frame2",    texts::kRestoreFrame,      {120, 5040, 8775, 2775}, kSimSun10_5, 8},
    {Form2::kFile1,     ControlKind::FileList,     L"File1",     L"",                       {120,  360, 4095, 2250}, kSimSun9,    9,  Form2::kFrame2},
    {Form2::kLabel4,    ControlKind::Label,        L"Label4",    L"",                       {4440, 480, 4095, 735},  kSimSun12,   10, Form2::kFrame2},
    {Form2::kCommand2,  ControlKind::Button,       L"Command2",  texts::kRestore,           {4440, 1560, 1815, 375}, kSimSun9,    11, Form2::kFrame2},
    {Form2::kCommand4,  ControlKind::Button,       L"Command4",  texts::kUndoRestore,       {6720, 1560, 1815, 375}, kSimSun9,    13, Form2::kFrame2},
    {Form2::kCommand3,  ControlKind::Button,       L"Command3",  texts::kStartBrowser,      {4440, 2160, 4095, 375}, kSimSun9,    12, Form2::kFrame2},
};

constexpr FormSpec kForm{L"QuillbarrowForm2", texts::kAccountCaption, 8940, 8010, kFixedFrame, kControls};

struct Column {
    const wchar_t* header;
    int sixths;  // of the list's width
    int format;
};
constexpr Column kColumns[] = {
    {texts::kColumnName, 2, LVCFMT_LEFT},
    {texts::kColumnNumber, 1, LVCFMT_CENTER},
    {texts::kColumnSize, 1, LVCFMT_RIGHT},
    {texts::kColumnTime, 2, LVCFMT_LEFT},
};

// The program's row image is icon resource 2.
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

bool Form2::Show() { return OpenForm(kForm); }

const ClickHandler<Form2> Form2::kClickHandlers[] = {
    {kCommand1, &Form2::Command1_Click},
    {kCommand2, &Form2::Command2_Click},
    {kCommand3, &Form2::Command3_Click},
    {kCommand4, &Form2::Command4_Click},
};

LRESULT Form2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return Form_Load() ? 0 : -1;
        case WM_COMMAND:
            if (HandleClick(wParam, kClickHandlers)) return 0;
            // Enter in the address box searches.
            if (LOWORD(wParam) == IDOK && GetFocus() == Control(kText1)) {
                Command1_Click();
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == kListView1 && header->code == LVN_GETDISPINFOW) {
                ListView1_GetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
                return 0;
            }
            break;
        }
        case WM_DESTROY:
            // The tooltips have no owner: they would outlive the window.
            rowTooltip_.Destroy();
            fileTooltip_.Destroy();
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

// Pointer movement over the list view and the file list comes here.
LRESULT CALLBACK Form2::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR form) {
    if (message == WM_MOUSEMOVE) {
        auto* self = reinterpret_cast<Form2*>(form);
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (id == kListView1) self->ListView1_MouseMove(point);
        if (id == kFile1) self->File1_MouseMove(point);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

bool Form2::Form_Load() {
    SetWindowTextW(Control(kLabel4), texts::kAccountInstructions);
    AddBackupFolderChoices(Control(kCombo1));

    const HWND listView1 = Control(kListView1);
    for (int i = 0; const Column& column : kColumns) {
        LVCOLUMNW spec{};
        spec.mask = LVCF_TEXT | LVCF_FMT;
        spec.fmt = column.format;
        spec.pszText = const_cast<wchar_t*>(column.header);
        if (SendMessageW(listView1, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&spec)) < 0) return false;
    }
    SizeColumns();
    UniqueImageList imageList1{ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0)};
    const UniqueIcon rowImage{static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kRowImage), IMAGE_ICON, 16, 16, 0))};
    if (!imageList1 || !rowImage || ImageList_AddIcon(imageList1.Get(), rowImage.Get()) < 0) return false;
    // The list view owns the image list from here on.
    SendMessageW(listView1, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(imageList1.Release()));
    // A whole row answers LVM_HITTEST, not only its name: the row tip stays while the pointer is on the row.
    constexpr DWORD kListStyle = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT;
    SendMessageW(listView1, LVM_SETEXTENDEDLISTVIEWSTYLE, kListStyle, kListStyle);

    file1_.Attach(Control(kFile1), texts::kBackupPattern);
    rowTooltip_.SetStyle(CTooltip::kBalloon);
    rowTooltip_.SetIcon(TTI_INFO);
    fileTooltip_.Create(Control(kFile1));
    return SetWindowSubclass(listView1, ControlProc, kListView1, reinterpret_cast<DWORD_PTR>(this)) &&
           SetWindowSubclass(Control(kFile1), ControlProc, kFile1, reinterpret_cast<DWORD_PTR>(this));
}

// The columns share the width beside the vertical scroll bar, so a long result needs no horizontal one. Each
// column ends where its share of the whole ends, so the rounding adds up to the width exactly.
void Form2::SizeColumns() {
    const HWND listView1 = Control(kListView1);
    RECT list{};
    GetClientRect(listView1, &list);
    const int width = list.right - SystemMetricAtDpi(SM_CXVSCROLL, Dpi());
    for (int i = 0, sixthsBefore = 0; const Column& column : kColumns) {
        const int columnWidth = width * (sixthsBefore + column.sixths) / 6 - width * sixthsBefore / 6;
        SendMessageW(listView1, LVM_SETCOLUMNWIDTH, i++, columnWidth);
        sixthsBefore += column.sixths;
    }
}

// At a new DPI the columns take their shares of the new width, and the tips are made anew in the new scale.
void Form2::OnLayout() {
    SizeColumns();
    ShowRowTip(0);
    if (fileTooltip_.Window()) fileTooltip_.Create(Control(kFile1));
}

// The search: the account's backup folder, then every entry in it and below it as a row.
void Form2::Command1_Click() {
    const AccountBackupFolder located =
        LocateAccountBackupFolder(WindowText(Control(kText1)), WindowText(Control(kCombo1)));
    if (located.refusal) {
        ShowNotice(hwnd_, *located.refusal);
        return;
    }
    file1_.SetFolder(located.folder);

    const HWND listView1 = Control(kListView1);
    rows_.clear();
    SendMessageW(listView1, LVM_SETITEMCOUNT, 0, 0);
    {
        const WaitCursor hourglass;
        std::uint64_t counter = 0;
        FindFilesAPI(file1_.Folder(), texts::kScanPattern, counter, rows_);
    }
    SendMessageW(listView1, LVM_SETITEMCOUNT, rows_.size(), 0);
    InvalidateRect(listView1, nullptr, TRUE);
    // The rows changed under a pointer that may rest on the list: its tip must name the row there now.
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(listView1, &pointer);
    ShowRowTip(RowAt(pointer));
}

void Form2::Command2_Click() {
    const Notice notice = RestoreFavorites(file1_.Folder(), file1_.SelectedName());
    // A restore may have kept the favorites as a new copy in the listed folder.
    file1_.Refresh();
    ShowNotice(hwnd_, notice);
}

void Form2::Command3_Click() {
    if (const auto notice = LaunchBrowser()) ShowNotice(hwnd_, *notice);
}

// The account's profile is known only from a search: before one, the file list shows the start folder.
void Form2::Command4_Click() {
    const auto profileFolder = ProfileFolderFromList(file1_.Folder());
    ShowNotice(hwnd_, profileFolder ? UndoRestore(*profileFolder) : ErrorNotice(texts::kSearchFirst));
}

// Moving onto another row shows that row's name; moving off the rows removes the tip; moving within a row
// leaves it alone.
void Form2::ListView1_MouseMove(POINT point) {
    const int row = RowAt(point);
    if (row != hoveredRow_) ShowRowTip(row);
}

// The 1-based row under a point of the list view's client area; 0 for none.
int Form2::RowAt(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    return static_cast<int>(SendMessageW(Control(kListView1), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) + 1;
}

void Form2::ShowRowTip(int row) {
    hoveredRow_ = row;
    if (row == 0 || static_cast<std::size_t>(row) > rows_.size()) {
        rowTooltip_.Destroy();
        return;
    }
    rowTooltip_.SetTipText(rows_[row - 1].name);
    rowTooltip_.Create(Control(kListView1));
}

// The file list's tip names the entry under the pointer; past the last entry it shows nothing.
void Form2::File1_MouseMove(POINT point) {
    const HWND file1 = Control(kFile1);
    const LRESULT lineHeight = SendMessageW(file1, LB_GETITEMHEIGHT, 0, 0);
    if (lineHeight <= 0) return;
    const int entry = point.y / static_cast<int>(lineHeight) + static_cast<int>(SendMessageW(file1, LB_GETTOPINDEX, 0, 0));
    std::wstring name = file1_.Name(entry);
    if (name != fileTooltip_.TipText()) fileTooltip_.SetTipText(std::move(name));
}

void Form2::ListView1_GetDisplayInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.size()) return;
    const ScanRow& row = rows_[item.iItem];
    if (item.mask & LVIF_IMAGE) item.iImage = 0;
    if (!(item.mask & LVIF_TEXT)) return;
    switch (item.iSubItem) {
        case 0:
            displayText_ = row.name;
            break;
        case 1:
            displayText_ = std::to_wstring(row.number);
            break;
        case 2:
            displayText_ = SizeColumnText(row);
            break;
        default:
            displayText_ = TimeColumnText(row);
            break;
    }
    item.pszText = displayText_.data();
}
