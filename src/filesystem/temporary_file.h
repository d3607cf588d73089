// The hidden temporary file that every copy goes through before it takes its destination's place.
#pragma once

#include "filesystem/file_error.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <string>

// Another program or copy of the tool may take a name between the look and the creation: the next one is tried.
inline constexpr unsigned kTemporaryAttempts = 100;

inline bool IsTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// A name for a temporary file of this process in `folder`; another attempt gives another name.
std::wstring TemporaryPath(const std::wstring& folder, unsigned attempt);

// A hidden file in a folder, deleted again unless it is kept. Only the tool's own temporary files are hidden and
// named so, which is how a later run tells them from the user's files.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    const FileError& Error() const { return error_; }
    HANDLE Handle() const { return file_.Get(); }
    const std::wstring& Path() const { return path_; }
    void Close() { file_.Reset(); }
    void Keep() { kept_ = true; }

private:
    std::wstring path_;
    UniqueFileHandle file_;
    FileError error_;
    bool kept_ = false;
};
