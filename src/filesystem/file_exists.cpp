#include "filesystem/file_exists.h"

#include <windows.h>

namespace {

DWORD AttributesOrInvalid(const std::wstring& path) {
    const DWORD lastError = GetLastError();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    SetLastError(lastError);
    return attributes;
}

}  // namespace

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = AttributesOrInvalid(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = AttributesOrInvalid(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
