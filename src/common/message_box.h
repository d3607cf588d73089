// Shows a notice as the program's one kind of message box: modal, owned by `owner` where that window is on screen,
// with one OK button, or Yes and No for a question. True unless the user answered No.
#pragma once

#include "common/notice.h"

#include <windows.h>

bool ShowNotice(HWND owner, const Notice& notice);
