#include "account/backup_scan.h"

#include "common/unique_handle.h"

#include <windows.h>

#include <iterator>

namespace {

constexpr std::wstring_view kAllEntries = L"*";
constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

bool IsDotOrDotDot(std::wstring_view name) {
    return name == L"." || name == L"..";
}

// These two patterns match every name, so the search that finds the sub-folders also gives the rows.
bool MatchesEveryName(std::wstring_view pattern) {
    return pattern == L"*" || pattern == L"*.*";
}

bool IsWalkable(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::uint64_t Combine(DWORD high, DWORD low) {
    return std::uint64_t{high} << 32 | low;
}

// folder + pattern; a path too long for the plain form gets the "\\?\" form, which only an absolute path can
// take (a relative one is used as given).
std::wstring SearchPath(const std::wstring& folder, std::wstring_view pattern) {
    std::wstring path = folder + std::wstring(pattern);
    if (path.size() < MAX_PATH || path.starts_with(kLongPathPrefix)) return path;
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return std::wstring(kLongPathPrefix) + path;
    if (path.starts_with(L"\\\\")) return std::wstring(kLongUncPrefix) + path.substr(2);
    return path;
}

// A search without the short names nobody reads, in large fetches: Windows 7 and later. Vista refuses both, and
// gets the search it knows.
UniqueFindHandle StartSearch(const std::wstring& path, WIN32_FIND_DATAW& found) {
    UniqueFindHandle search{FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH)};
    if (search || GetLastError() != ERROR_INVALID_PARAMETER) return search;
    return UniqueFindHandle{
        FindFirstFileExW(path.c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr, 0)};
}

// Calls visit(name, record) for every entry of the folder that matches the pattern, "." and ".." left out, in
// the order the search returns them. A folder that cannot be searched has no entries.
template <class Visit>
void ForEachEntry(const std::wstring& folder, std::wstring_view pattern, Visit visit) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search = StartSearch(SearchPath(folder, pattern), found);
    if (!search) return;
    do {
        const std::wstring_view name = StripNulls({found.cFileName, std::size(found.cFileName)});
        if (!IsDotOrDotDot(name)) visit(name, found);
    } while (FindNextFileW(search.Get(), &found));
}

// Size and time come from the search record itself: the same values as asking again by path, without a
// second look-up that a vanishing entry could fail.
ScanRow RowOf(std::uint64_t number, const WIN32_FIND_DATAW& found) {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return ScanRow{number, isFolder ? 0 : Combine(found.nFileSizeHigh, found.nFileSizeLow),
                   Combine(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime), isFolder};
}

}  // namespace

void FindFilesAPI(const std::wstring& folder, std::wstring_view pattern, std::uint64_t& counter, ScanRows& rows) {
    const bool rowsFromFolderSearch = MatchesEveryName(pattern);
    std::uint32_t currentIndex = 0;
    auto addRow = [&](std::wstring_view name, const WIN32_FIND_DATAW& found) {
        rows.Add(name, currentIndex, RowOf(++counter, found));
    };

    // A stack of folders still to walk, each with its trailing backslash; the top is walked next.
    std::vector<std::wstring> pending{folder.ends_with(L'\\') ? folder : folder + L'\\'};
    std::vector<std::wstring> subFolders;
    while (!pending.empty()) {
        const std::wstring current = std::move(pending.back());
        pending.pop_back();
        currentIndex = rows.AddFolder(current);
        subFolders.clear();
        ForEachEntry(current, kAllEntries, [&](std::wstring_view name, const WIN32_FIND_DATAW& found) {
            if (IsWalkable(found)) subFolders.push_back(current + std::wstring(name) + L'\\');
            if (rowsFromFolderSearch) addRow(name, found);
        });
        if (!rowsFromFolderSearch) ForEachEntry(current, pattern, addRow);
        // Reversed onto the stack, so that the first sub-folder found is walked first.
        pending.insert(pending.end(), std::make_move_iterator(subFolders.rbegin()),
                       std::make_move_iterator(subFolders.rend()));
    }
}
