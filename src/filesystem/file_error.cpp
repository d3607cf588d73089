#include "filesystem/file_error.h"

#include "messages/system_error.h"
#include "messages/texts.h"
#include "win32/unique_handle.h"

FileError ErrorUnless(BOOL succeeded, const std::wstring& path) {
    return succeeded ? FileError{} : FileError{GetLastError(), path};
}

bool IsHeldElsewhere(const FileError& error) {
    if (error.code == ERROR_SHARING_VIOLATION || error.code == ERROR_LOCK_VIOLATION) return true;
    if (error.code != ERROR_ACCESS_DENIED || error.path.empty()) return false;
    // An open that shares nothing is refused for sharing exactly when another handle has the file open.
    const UniqueFileHandle probe{
        CreateFileW(error.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

std::wstring ReasonText(const FileError& error) {
    return IsHeldElsewhere(error) ? std::wstring(texts::kFileInUse) : SystemErrorText(error.code);
}

Notice FailureNotice(std::wstring_view whatFailed, const FileError& error) {
    return ErrorNotice(std::wstring(whatFailed) + texts::kReason + ReasonText(error));
}
