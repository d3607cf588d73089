#include "common/message_box.h"

void ShowNotice(HWND owner, const Notice& notice) {
    UINT style = MB_OK | static_cast<UINT>(notice.icon);
    // A box owned by a window that is not on screen has no taskbar button and is easily lost behind other
    // windows: it stands on its own then, in front, and the program's windows wait for it all the same.
    if (!owner || !IsWindowVisible(owner)) {
        owner = nullptr;
        style |= MB_TASKMODAL | MB_SETFOREGROUND;
    }
    MessageBoxW(owner, notice.text.c_str(), notice.caption.c_str(), style);
}
