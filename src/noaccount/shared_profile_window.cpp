#include "noaccount/shared_profile_window.h"

#include "common/texts.h"

namespace {

constexpr ControlSpec kControls[] = {
    // id                                     kind                       name         text                        left  top width height    font         tab
    {SharedProfileWindow::kFolderLabel,       ControlKind::Label,        L"Label1",   texts::kChooseBackupFolder, { 120,  120, 3855,  255}, kSimSun9,    0},
    {RestorePanel::kFolderChooser,            ControlKind::DropDownList, L"Combo1",   L"",                        { 120,  480, 4095,  300}, kSimSun12,   1},
    {RestorePanel::kFileList,                 ControlKind::FileList,     L"File1",    L"",                        { 120,  960, 4095, 2250}, kSimSun9,    2},
    {SharedProfileWindow::kInstructionsLabel, ControlKind::Label,        L"Label2",   texts::kLocalInstructions,  { 240, 3360, 3855,  855}, kSimSun10_5, 3},
    {RestorePanel::kRestoreButton,            ControlKind::Button,       L"Command1", texts::kRestore,            { 120, 4320, 1815,  375}, kSimSun9,    4},
    {RestorePanel::kUndoButton,               ControlKind::Button,       L"Command3", texts::kUndoRestore,        {2280, 4320, 1935,  375}, kSimSun9,    6},
    {RestorePanel::kLaunchButton,             ControlKind::Button,       L"Command2", texts::kStartBrowser,       { 120, 4920, 4095,  375}, kSimSun9,    5},
};

constexpr FormSpec kForm{L"QuillbarrowSharedProfileWindow", texts::kLocalCaption, 4305, 5445, kSizableFrame, kControls};

}  // namespace

bool SharedProfileWindow::Show() { return OpenForm(kForm); }

LRESULT SharedProfileWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return panel_.Attach(hwnd_, RestorePanel::Profile::Shared) ? 0 : -1;
        case WM_COMMAND:
            if (panel_.HandleCommand(wParam)) return 0;
            break;
        case WM_DESTROY:
            panel_.Detach();
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}
