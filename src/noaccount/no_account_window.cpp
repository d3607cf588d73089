#include "noaccount/no_account_window.h"

#include "messages/texts.h"

namespace {

// clang-format off
constexpr ControlDesign kControls[] = {
    // id                                 kind                       name         text                          left  top width height    font         tab
    {NoAccountWindow::kFolderLabel,       ControlKind::Label,        L"Label1",   texts::kChooseBackupFolder,   { 120,  120, 3855,  255}, kSimSun9,    0},
    {RestorePanel::kFolderChooser,        ControlKind::DropDownList, L"Combo1",   L"",                          { 120,  480, 4095,  300}, kSimSun12,   1},
    {RestorePanel::kFileList,             ControlKind::FileList,     L"File1",    L"",                          { 120,  960, 4095, 2250}, kSimSun9,    2},
    {NoAccountWindow::kInstructionsLabel, ControlKind::Label,        L"Label2",   texts::kNoAccountInstructions, { 240, 3360, 3855,  855}, kSimSun10_5, 3},
    {RestorePanel::kRestoreButton,        ControlKind::Button,       L"Command1", texts::kRestore,              { 120, 4320, 1815,  375}, kSimSun9,    4},
    {RestorePanel::kUndoButton,           ControlKind::Button,       L"Command3", texts::kUndoRestore,          {2280, 4320, 1935,  375}, kSimSun9,    6},
    {RestorePanel::kLaunchButton,         ControlKind::Button,       L"Command2", texts::kStartBrowser,         { 120, 4920, 4095,  375}, kSimSun9,    5},
};
// clang-format on

constexpr WindowDesign kWindow{
    L"QuillbarrowNoAccountWindow", texts::kNoAccountCaption, 4305, 5445, kSizableFrame, kControls};

}  // namespace

bool NoAccountWindow::Show() {
    return Open(kWindow);
}

LRESULT NoAccountWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return panel_.Attach(hwnd_, RestorePanel::Listing::SharedProfile) ? 0 : -1;
        case WM_COMMAND:
            if (panel_.HandleCommand(wParam)) return 0;
            break;
        case RestorePanel::kFactsReadyMessage:
            panel_.OnFactsReady();
            return 0;
        case WM_DESTROY:
            panel_.Detach();
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}
