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

    if (!form1_.Load()) return 0;
    form1_.ShowNormal();
    return RunMessageLoop();
}

bool Application::ShowAccountWindow() {
    form2_.emplace(openWindows_);
    return form2_->Show();
}

bool Application::ShowNoAccountWindow() {
    form3_.emplace(openWindows_);
    return form3_->Show();
}
