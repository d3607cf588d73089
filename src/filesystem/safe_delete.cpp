#include "filesystem/safe_delete.h"

#include "filesystem/busy_retry.h"
#include "filesystem/linked_files.h"
#include "filesystem/paths.h"
#include "filesystem/safe_copy.h"
#include "filesystem/temporary_file.h"

FileError DeleteFileForced(const std::wstring& path) {
    // A link goes, never the file it leads to. Wine renames, hides and deletes that file for any of them by name, so
    // the link is first replaced, in one rename, by a plain copy of what it leads to, which then goes as any file
    // does; a run killed meanwhile leaves that same content under the link's name.
    if (IsLink(path)) {
        if (FileError error = CopyThroughTemporary(path, path, MOVEFILE_REPLACE_EXISTING)) return error;
    }
    // A file that another process holds open with delete sharing is only marked for deletion and keeps its name
    // until that process lets go, so the next restore would take it for an undo copy still there. Renamed first to
    // a hidden temporary name, the file frees its name at once; if the deletion must wait, the temporary is what
    // waits, out of sight, and the next operation clears it if it is still there.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    FileError error{ERROR_FILE_EXISTS, path};
    std::wstring aside;
    for (unsigned attempt = 0; attempt < kTemporaryAttempts && IsTaken(error.code); ++attempt) {
        aside = TemporaryPath(std::wstring(FolderOf(path)), attempt);
        error = RetryWhileBusy([&] { return ErrorUnless(MoveFileExW(path.c_str(), aside.c_str(), 0), path); });
    }
    if (error) {
        // Left in place, the file keeps its attributes, only no longer read-only.
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        }
        return error;
    }
    DeleteFileW(aside.c_str());
    return {};
}
