// Path texts: joining parts the way every path of the program is composed, and telling absolute paths apart.
#pragma once

#include <string>
#include <string_view>

// folder + "\" + name, with no backslash added or removed anywhere else.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// True for a path that names the same place whatever the current drive and folder: a drive letter, ":" and
// "\", or "\\server\share".
bool IsAbsolutePath(std::wstring_view path);

// A full path in the form that the file system takes exactly as written (with a trailing dot or space kept,
// and past MAX_PATH): "C:\x" gives "\\?\C:\x", "\\server\share\x" gives "\\?\UNC\server\share\x"; a path
// already in a "\\?\" or "\\.\" form stays as it is.
std::wstring ExactPathForm(std::wstring_view fullPath);

// The text up to its first NUL (the fixed-size name field of a search record holds the name followed by NULs); a
// text without NUL stays whole.
std::wstring_view StripNulls(std::wstring_view text);

// The last component of a path: what follows its last "\"; and what comes before that "\".
std::wstring_view LastComponent(std::wstring_view path);
std::wstring_view FolderOf(std::wstring_view path);
