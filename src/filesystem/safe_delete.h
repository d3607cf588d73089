// Deleting the undo copy so that its name is free at once and a link never takes its target with it.
#pragma once

#include "filesystem/file_error.h"

#include <string>

// Deletes a file even when it is read-only. Its name is free on return even when another process still holds the
// file open with delete sharing. A link is deleted itself; the file it leads to stays as it is.
FileError DeleteFileForced(const std::wstring& path);
