// Shows a notice as the program's one kind of message box: modal, one OK button, owned by `owner` where that
// window is on screen.
#pragma once

#include "common/notice.h"

#include <windows.h>

void ShowNotice(HWND owner, const Notice& notice);
