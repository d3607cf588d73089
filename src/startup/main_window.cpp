#include "startup/main_window.h"

#include "browser/process_search.h"
#include "common/message_box.h"
#include "common/system_error.h"
#include "common/texts.h"
#include "startup/provision.h"

#include <utility>

namespace {

constexpr ControlSpec kControls[] = {
    // id                            kind                 name         text                 left  top width height    font       tab
    {MainWindow::kHaveAccountButton, ControlKind::Button, L"Command1", texts::kHaveAccount, { 480,  360, 2775,  735}, kSimSun12, 0},
    {MainWindow::kNoAccountButton,   ControlKind::Button, L"Command2", texts::kNoAccount,   { 480, 1320, 2775,  735}, kSimSun12, 1},
};

constexpr FormSpec kForm{L"QuillbarrowMainWindow", texts::kMainCaption, 3840, 2400, kFixedFrame, kControls};

// Ends the program at once, after the message that the account path needs administrator rights.
[[noreturn]] void EndWithAdministratorMessage(HWND owner) {
    ShowNotice(owner, Notice{texts::kRunAsAdministrator, texts::kCaptionAdminError, NoticeIcon::Error});
    ExitProcess(1);
}

}  // namespace

bool MainWindow::Load() {
    if (IsProcessRunning(texts::kBrowserProcessName)) {
        ShowNotice(nullptr, ErrorNotice(texts::kBrowserRunningAtStart));
        return false;
    }
    return CreateForm(kForm);
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
    if (!openRestoreWindow_(RestoreWindow::SharedProfile)) {
        const DWORD error = GetLastError();
        handingOver_ = false;
        ShowNormal();
        ShowNotice(hwnd_, FailureNotice(texts::kWindowFailed, error));
        return;
    }
    DestroyWindow(hwnd_);
}
