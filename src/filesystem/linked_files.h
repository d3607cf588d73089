// Favorites and undo copies that are links: where a link leads, whether an entry is one, and whether two paths
// name one file. A link is followed only to read or to write the favorites through it; deleting, renaming or
// hiding a link must reach the link itself, never the file it leads to.
#pragma once

#include "filesystem/file_error.h"

#include <string>

// The file that a copy into `path` replaces, so that a link at `path` stays a link: the file it leads to, or `path`
// itself where nothing is there yet. Fails when `path` cannot be looked at, and so when it is a link whose target
// cannot be reached: a plain file must not take the link's place.
FileError LinkedFile(const std::wstring& path, std::wstring& file);

// Whether the entry `path` is a link to a file that lies elsewhere or has another name: a symbolic link, or a Unix
// link under Wine, which shows as a plain file there.
bool IsLink(const std::wstring& path);

// Whether two paths lead to one file (the same volume and file index), as a link and its target do. False when
// either cannot be opened.
bool SameFile(const std::wstring& a, const std::wstring& b);
