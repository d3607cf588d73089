// The program's one kind of message box: modal, owned by `owner` where that window is on screen, with one OK button,
// or Yes and No for a question.
#pragma once

#include "messages/notice.h"

#include <windows.h>

void ShowNotice(HWND owner, const Notice& notice);

// Asks the question and returns whether the user answered Yes. Any other end (No, Esc, the box or its window
// closed, the program ended) is a No.
bool AskYes(HWND owner, const Notice& question);
