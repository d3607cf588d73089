// Paths handed to the file system exactly as the program means them.
#pragma once

#include <string>
#include <string_view>

// The full path of `path` in the form the file system takes as written ("\\?\C:\..."): "." and ".." and
// doubled backslashes resolved, relative paths taken from the current folder. A name appended to it keeps a
// trailing dot or space, which the system would otherwise drop and so open another file.
std::wstring ExactFullPath(std::wstring_view path);
