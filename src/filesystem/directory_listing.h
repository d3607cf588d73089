// The one way the program lists a folder: the backup scan, the file lists, the facts and the clean-up of temporary
// files all use it.
#pragma once

#include "filesystem/file_version.h"
#include "filesystem/paths.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// Starts a search of `folder` for names matching `pattern` (the platform's wildcards, without regard to case; a
// trailing ".*" also matches names without a full stop). An absolute folder is searched in its "\\?\" form, so a
// name is found exactly as it is and a path past MAX_PATH works too.
UniqueFindHandle StartSearch(const std::wstring& folder, std::wstring_view pattern, WIN32_FIND_DATAW& found);

// Calls visit(name, record) for every entry of `folder` that matches `pattern`, "." and ".." left out, in the order
// the search returns them. A folder that cannot be searched has no entries.
template <class Visit>
void ForEachEntry(const std::wstring& folder, std::wstring_view pattern, Visit visit) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search = StartSearch(folder, pattern, found);
    if (!search) return;
    do {
        const std::wstring_view name = StripNulls({found.cFileName, std::size(found.cFileName)});
        if (name != L"." && name != L"..") visit(name, found);
    } while (FindNextFileW(search.Get(), &found));
}

// A file as a listing finds it.
struct ListedFile {
    std::wstring name;
    FileVersion version;
};

// The files in `folder` matching `pattern`, hidden and system files and folders left out, in the order found.
std::vector<ListedFile> ListableFiles(const std::wstring& folder, std::wstring_view pattern);
