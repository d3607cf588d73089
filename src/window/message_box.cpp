#include "window/message_box.h"

namespace {

int Show(HWND owner, const Notice& notice) {
    UINT style = (notice.question ? MB_YESNO | MB_DEFBUTTON2 : MB_OK) | static_cast<UINT>(notice.icon);
    // A box owned by a window that is not on screen has no taskbar button and is easily lost behind other windows:
    // it stands on its own then, in front, and the program's windows wait for it all the same.
    if (!owner || !IsWindowVisible(owner)) {
        owner = nullptr;
        style |= MB_TASKMODAL | MB_SETFOREGROUND;
    }
    return MessageBoxW(owner, notice.text.c_str(), notice.caption.c_str(), style);
}

}  // namespace

void ShowNotice(HWND owner, const Notice& notice) {
    Show(owner, notice);
}

bool AskYes(HWND owner, const Notice& question) {
    return Show(owner, question) == IDYES;
}
