// The system's own text for an error code, and the failure notices that carry it.
#pragma once

#include "messages/notice.h"

#include <windows.h>

#include <string>

// The system's own text for an error code. Where it has inserts ("%1 is not a valid Win32 application"), the first
// is `subject`, the path it concerns, and the others are left out; without a subject every insert is left out.
std::wstring SystemErrorText(DWORD error, std::wstring_view subject = {});

// An error notice: what failed, then the system's reason.
Notice FailureNotice(std::wstring_view whatFailed, DWORD error, std::wstring_view subject = {});
