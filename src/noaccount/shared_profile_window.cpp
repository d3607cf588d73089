#include "noaccount/shared_profile_window.h"

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
    // id                                     kind                       name         text                        left  top width height    font         tab
    {SharedProfileWindow::kFolderLabel,       ControlKind::Label,        L"Label1",   texts::kChooseBackupFolder, { 120,  120, 3855,  255}, kSimSun9,    0},
    {SharedProfileWindow::kFolderChooser,     ControlKind::DropDownList, L"Combo1",   L"",                        { 120,  480, 4095,  300}, kSimSun12,   1},
    {SharedProfileWindow::kFileList,          ControlKind::FileList,     L"File1",    L"",                        { 120,  960, 4095, 2250}, kSimSun9,    2},
    {SharedProfileWindow::kInstructionsLabel, ControlKind::Label,        L"Label2",   L"",                        { 240, 3360, 3855,  855}, kSimSun10_5, 3},
    {SharedProfileWindow::kRestoreButton,     ControlKind::Button,       L"Command1", texts::kRestore,            { 120, 4320, 1815,  375}, kSimSun9,    4},
    {SharedProfileWindow::kUndoButton,        ControlKind::Button,       L"Command3", texts::kUndoRestore,        {2280, 4320, 1935,  375}, kSimSun9,    6},
    {SharedProfileWindow::kLaunchButton,      ControlKind::Button,       L"Command2", texts::kStartBrowser,       { 120, 4920, 4095,  375}, kSimSun9,    5},
};

constexpr FormSpec kForm{L"QuillbarrowSharedProfileWindow", texts::kLocalCaption, 4305, 5445, kSizableFrame, kControls};

}  // namespace

bool SharedProfileWindow::Show() { return OpenForm(kForm); }

const ClickHandler<SharedProfileWindow> SharedProfileWindow::kClickHandlers[] = {
    {kRestoreButton, &SharedProfileWindow::OnRestore},
    {kLaunchButton, &SharedProfileWindow::OnLaunch},
    {kUndoButton, &SharedProfileWindow::OnUndo},
};

LRESULT SharedProfileWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            if (HandleClick(wParam, kClickHandlers)) return 0;
            if (LOWORD(wParam) == kFolderChooser && HIWORD(wParam) == CBN_SELCHANGE) {
                OnFolderChosen();
                return 0;
            }
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

void SharedProfileWindow::OnCreate() {
    SetWindowTextW(Control(kInstructionsLabel), texts::kLocalInstructions);
    fileList_.Attach(Control(kFileList), texts::kBackupPattern);
    // Choosing the first entry runs its handler at once, before the load goes on.
    AddBackupFolderChoices(Control(kFolderChooser));
    OnFolderChosen();
}

void SharedProfileWindow::OnFolderChosen() {
    const std::wstring chosen = WindowText(Control(kFolderChooser));
    const std::wstring candidate = JoinPath(SharedProfileFolder(), chosen);
    if (FolderExists(candidate)) {
        fileList_.SetFolder(candidate);
    } else {
        ShowNotice(hwnd_, ErrorNotice(chosen + texts::kLocalBackupFolderMissing));
    }
}

void SharedProfileWindow::OnRestore() {
    const Notice notice = RestoreFavorites(fileList_.Folder(), fileList_.SelectedName());
    // A restore may have kept the favorites as a new copy in the listed folder.
    fileList_.Refresh();
    ShowNotice(hwnd_, notice);
}

void SharedProfileWindow::OnLaunch() {
    if (const auto notice = LaunchBrowser()) ShowNotice(hwnd_, *notice);
}

// Undo always works on the shared profile, whatever the chooser and the list show.
void SharedProfileWindow::OnUndo() { ShowNotice(hwnd_, UndoRestore(SharedProfileFolder())); }
