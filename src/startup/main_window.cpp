#include "startup/main_window.h"

#include "browser/process_search.h"
#include "messages/system_error.h"
#include "messages/texts.h"
#include "startup/provision.h"
#include "window/message_box.h"

#include <utility>

namespace {

// clang-format off
constexpr ControlDesign kControls[] = {
    // id                            kind                 name         text                 left  top width height    font       tab
    {MainWindow::kHaveAccountButton, ControlKind::Button, L"Command1", texts::kHaveAccount, { 480,  360, 2775,  735}, kSimSun12, 0},
    {MainWindow::kNoAccountButton,   ControlKind::Button, L"Command2", texts::kNoAccount,   { 480, 1320, 2775,  735}, kSimSun12, 1},
};

// clang-format on

constexpr WindowDesign kWindow{L"QuillbarrowMainWindow", texts::kMainCaption, 3840, 2400, kFixedFrame, kControls};

// Ends the program at once, after the message that the account path needs administrator rights.
[[noreturn]] void EndWithAdministratorMessage(HWND owner) {
    ShowNotice(owner, Notice{texts::kRunAsAdministrator, texts::kCaptionAdminError, NoticeIcon::Error});
    ExitProcess(1);
}

}  // namespace

// A process list that cannot be read does not keep the tool from starting: every restore and undo checks again,
// and refuses then.
bool MainWindow::Load() {
    if (IsProcessRunning(texts::kBrowserProcessName) == ProcessCheck::Running) {
        ShowNotice(nullptr, ErrorNotice(texts::kBrowserRunningAtStart));
        return false;
    }
    return Create(kWindow);
}

const ClickHandler<MainWindow> MainWindow::kClickHandlers[] = {
    {kHaveAccountButton, &MainWindow::OnHaveAccount},
    {kNoAccountButton, &MainWindow::OnNoAccount},
};

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HandleClick(wParam, kClickHandlers)) return 0;
    return DefaultHandling(message, wParam, lParam);
}

// The account path: the list-view library first, then the account window; any failure ends the program.
void MainWindow::OnHaveAccount() {
    if (std::exchange(handingOver_, true)) return;
    if (ProvisionCommonControls() != ERROR_SUCCESS) EndWithAdministratorMessage(hwnd_);
    ShowWindow(hwnd_, SW_HIDE);
    if (!openRestoreWindow_(RestoreWindow::Account)) EndWithAdministratorMessage(hwnd_);
    DestroyWindow(hwnd_);
}

void MainWindow::OnNoAccount() {
    if (std::exchange(handingOver_, true)) return;
    ShowWindow(hwnd_, SW_HIDE);
    if (!openRestoreWindow_(RestoreWindow::NoAccount)) {
        const DWORD error = GetLastError();
        handingOver_ = false;
        ShowNormal();
        ShowNotice(hwnd_, FailureNotice(texts::kWindowFailed, error));
        return;
    }
    DestroyWindow(hwnd_);
}
