#include "startup/application.h"

#include <commctrl.h>

namespace {

int RunMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between controls as in a dialog.
        const HWND window = GetAncestor(message.hwnd, GA_ROOT);
        if (window && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int Application::Run() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;  // BAR: the tooltips
    InitCommonControlsEx(&controls);

    if (!mainWindow_.Load()) return 0;
    mainWindow_.ShowNormal();
    return RunMessageLoop();
}

bool Application::OpenRestoreWindow(RestoreWindow window) {
    if (window == RestoreWindow::Account) return accountWindow_.emplace(openWindows_).Show();
    return noAccountWindow_.emplace(openWindows_).Show();
}
