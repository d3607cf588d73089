// Copies that never leave a destination half-written.
#pragma once

#include "filesystem/file_error.h"

#include <string>

// Replaces `destination` with a copy of `source`. The copy goes to a hidden temporary file in the destination's
// folder, reaches the disk, and then takes the destination's place in one rename, so the destination is at every
// moment either what it was or the whole copy. The copy keeps the source's last-write time but none of its
// attributes. Where `destination` is a link, the file it links to is replaced (in that file's folder) and the link
// stays; a link whose target cannot be reached is left as it is, and the copy fails. On failure no temporary file
// remains.
FileError ReplaceWithCopy(const std::wstring& source, const std::wstring& destination);

// The same copy, made only where `destination` does not exist (ERROR_ALREADY_EXISTS otherwise), so a file that
// appeared meanwhile is never replaced.
FileError CopyToNewFile(const std::wstring& source, const std::wstring& destination);

// Copies `source` over `destination` through a temporary file beside it, with these MoveFileEx flags: the step
// under both, and under the deletion of a link.
FileError CopyThroughTemporary(const std::wstring& source, const std::wstring& destination, DWORD moveFlags);
