// File steps of restore and undo that never leave a destination half-written.
#pragma once

#include "common/unique_handle.h"

#include <windows.h>

#include <string>

// Opens a file for reading, as every file step does: others may go on reading it, and a brief hold by another
// program is waited out. Returns ERROR_SUCCESS or the system's error code.
DWORD OpenToRead(const std::wstring& path, UniqueFileHandle& file);

// Replaces `destination` with a copy of `source`. The copy goes to a hidden temporary file in the
// destination's folder, reaches the disk, and then takes the destination's place in one rename, so the
// destination is at every moment either what it was or the whole copy. The copy keeps the source's
// last-write time but none of its attributes. Where `destination` is a link, the file it links to is replaced
// (in that file's folder) and the link stays; a link whose target cannot be reached is left as it is, and the
// copy fails. On failure no temporary file remains.
// Returns ERROR_SUCCESS or the system's error code.
DWORD ReplaceWithCopy(const std::wstring& source, const std::wstring& destination);

// The same copy, made only where `destination` does not exist (ERROR_ALREADY_EXISTS otherwise), so a file
// that appeared meanwhile is never replaced.
DWORD CopyToNewFile(const std::wstring& source, const std::wstring& destination);

// Deletes a file even when it is read-only. Its name is free on return even when another process still
// holds the file open with delete sharing. A link is deleted itself; the file it leads to stays as it is.
// Returns ERROR_SUCCESS or the system's error code.
DWORD DeleteFileForced(const std::wstring& path);

// Removes the temporary files that an interrupted copy left in `folder`: hidden (or empty) files named exactly as
// the tool names them, whose process has ended. Those of another copy of the tool that still runs stay, and so do files
// still in use and every file of the user's, whatever its name.
void RemoveLeftoverTemporaries(const std::wstring& folder);
