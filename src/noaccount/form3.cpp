#include "noaccount/form3.h"

#include "browser/launch.h"
#include "common/backup_folder_choice.h"
#include "common/environment.h"
#include "common/file_exists.h"
#include "common/message_box.h"
#include "common/texts.h"
#include "common/window_text.h"
#include "common/paths.h"
#include "restore/restore.h"

namespace {

constexpr ControlSpec kControls[] = {
    // id               kind                       name         text                        left   top  width height  font         tab
    {Form3::kLabel1,   ControlKind::Label,        L"Label1",   texts::kChooseBackupFolder, {120,  120, 3855, 255},  kSimSun9,    0},
    {Form3::kCombo1,   ControlKind::DropDownList, L"Combo1",   L"",                        {120,  480, 4095, 300},  kSimSun12,   1},
    {Form3::kFile1,    ControlKind::FileList,     L"File1",    L"",                        {120,  960, 4095, 2250}, kSimSun9,    2},
    {Form3::kLabel2,   ControlKind::Label,        L"Label2",   L"",                        {240, 3360, 3855, 855},  kSimSun10_5, 3},
    {Form3::kCommand1, ControlKind::Button,       L"Command1", texts::kRestore,            {120, 4320, 1815, 375},  kSimSun9,    4},
    {Form3::kCommand3, ControlKind::Button,       L"Command3", texts::kUndoRestore,        {2280, 4320, 1935, 375}, kSimSun9,    6},
    {Form3::kCommand2, ControlKind::Button,       L"Command2", texts::kStartBrowser,       {120, 4920, 4095, 375},  kSimSun9,    5},
};

constexpr FormSpec kForm{L"QuillbarrowForm3", texts::kLocalCaption, 4305, 5445, kSizableFrame, kControls};

}  // namespace

bool Form3::Show() { return OpenForm(kForm); }

const ClickHandler<Form3> Form3::kClickHandlers[] = {
    {kCommand1, &Form3::Command1_Click},
    {kCommand2, &Form3::Command2_Click},
    {kCommand3, &Form3::Command3_Click},
};

LRESULT Form3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Form_Load();
            return 0;
        case WM_COMMAND:
            if (HandleClick(wParam, kClickHandlers)) return 0;
            if (LOWORD(wParam) == kCombo1 && HIWORD(wParam) == CBN_SELCHANGE) {
                Combo1_Click();
                return 0;
            }
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

void Form3::Form_Load() {
    SetWindowTextW(Control(kLabel2), texts::kLocalInstructions);
    file1_.Attach(Control(kFile1), texts::kBackupPattern);
    // Choosing the first entry runs its handler at once, before the load goes on.
    AddBackupFolderChoices(Control(kCombo1));
    Combo1_Click();
}

void Form3::Combo1_Click() {
    const std::wstring chosen = WindowText(Control(kCombo1));
    const std::wstring candidate = JoinPath(SharedProfileFolder(), chosen);
    if (FolderExists(candidate)) {
        file1_.SetFolder(candidate);
    } else {
        ShowNotice(hwnd_, ErrorNotice(chosen + texts::kLocalBackupFolderMissing));
    }
}

void Form3::Command1_Click() {
    const Notice notice = RestoreFavorites(file1_.Folder(), file1_.SelectedName());
    // A restore may have kept the favorites as a new copy in the listed folder.
    file1_.Refresh();
    ShowNotice(hwnd_, notice);
}

void Form3::Command2_Click() {
    if (const auto notice = LaunchBrowser()) ShowNotice(hwnd_, *notice);
}

// Undo always works on the shared profile, whatever the chooser and the list show.
void Form3::Command3_Click() { ShowNotice(hwnd_, UndoRestore(SharedProfileFolder())); }
