// Paths handed to the file system exactly as the program means them, and where a path really leads.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The full path of `path` in the form the file system takes as written ("\\?\C:\..."): "." and ".." and
// doubled backslashes resolved, relative paths taken from the current folder. A name appended to it keeps a
// trailing dot or space, which the system would otherwise drop and so open another file.
std::wstring ExactFullPath(std::wstring_view path);

// The full path of an open file or folder, links resolved, in the "\\?\" form; empty when the system cannot tell.
std::wstring FinalPath(HANDLE file);
// The same for a path, which is opened only to read its attributes; empty when it cannot be opened.
std::wstring FinalPathOf(const std::wstring& path);

// Whether `path` names `folder` itself or lies below it; both are full paths in the same form, compared without
// regard to case.
bool IsInsideFolder(std::wstring_view path, std::wstring_view folder);
