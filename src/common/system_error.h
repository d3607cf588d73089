// The system's own text for an error code, and the failure notices that carry it.
#pragma once

#include "common/notice.h"

#include <windows.h>

#include <string>

std::wstring SystemErrorText(DWORD error);

// An error notice: what failed, then the system's reason.
Notice FailureNotice(std::wstring_view whatFailed, DWORD error);
