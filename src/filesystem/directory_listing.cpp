#include "filesystem/directory_listing.h"

#include "filesystem/paths.h"

UniqueFindHandle StartSearch(const std::wstring& folder, std::wstring_view pattern, WIN32_FIND_DATAW& found) {
    std::wstring path = JoinPath(folder, pattern);
    if (IsAbsolutePath(path)) path = ExactPathForm(path);
    // Without the short names nobody reads, in large fetches: Windows 7 and later. Vista refuses both, and gets the
    // search it knows.
    UniqueFindHandle search{FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH)};
    if (search || GetLastError() != ERROR_INVALID_PARAMETER) return search;
    return UniqueFindHandle{
        FindFirstFileExW(path.c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr, 0)};
}

std::vector<ListedFile> ListableFiles(const std::wstring& folder, std::wstring_view pattern) {
    std::vector<ListedFile> files;
    constexpr DWORD kLeftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ForEachEntry(folder, pattern, [&](std::wstring_view name, const WIN32_FIND_DATAW& found) {
        if (!(found.dwFileAttributes & kLeftOut)) files.push_back({std::wstring(name), VersionOf(found)});
    });
    return files;
}
