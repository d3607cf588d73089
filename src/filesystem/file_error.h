// A failed file step as a value: the system's error code, taken at the failing call, and the file it concerned.
#pragma once

#include "messages/notice.h"

#include <windows.h>

#include <string>
#include <string_view>

struct FileError {
    DWORD code = ERROR_SUCCESS;
    std::wstring path;

    explicit operator bool() const { return code != ERROR_SUCCESS; }
};

// The error of the call that has just failed on `path`; none when `succeeded`.
FileError ErrorUnless(BOOL succeeded, const std::wstring& path);

// Whether the step failed because another program holds the file open: a sharing or lock violation, or access
// denied to a file that another program has open (a rename over it, say).
bool IsHeldElsewhere(const FileError& error);

// Why the step failed, as the user reads it: that another program uses the file, or the system's own text.
std::wstring ReasonText(const FileError& error);

// An error notice: what failed, then that reason.
Notice FailureNotice(std::wstring_view whatFailed, const FileError& error);
