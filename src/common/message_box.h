// Shows a notice as the program's one kind of message box: modal, one OK button.
#pragma once

#include "common/notice.h"

#include <windows.h>

void ShowNotice(HWND owner, const Notice& notice);
