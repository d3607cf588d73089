#include "common/message_box.h"

void ShowNotice(HWND owner, const Notice& notice) {
    MessageBoxW(owner, notice.text.c_str(), notice.caption.c_str(), MB_OK | static_cast<UINT>(notice.icon));
}
