#include "account/backup_scan.h"

#include "filesystem/directory_listing.h"
#include "filesystem/file_version.h"

#include <iterator>

namespace {

// These two patterns match every name, so the search that finds the sub-folders also gives the rows.
bool MatchesEveryName(std::wstring_view pattern) {
    return pattern == L"*" || pattern == L"*.*";
}

bool IsWalkable(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Size and time come from the search record itself: the same values as asking again by path, without a second
// look-up that a vanishing entry could fail.
ScanRow RowOf(std::uint64_t number, const WIN32_FIND_DATAW& found) {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return ScanRow{number, isFolder ? 0 : Uint64(found.nFileSizeHigh, found.nFileSizeLow), Ticks(found.ftLastWriteTime),
                   isFolder};
}

}  // namespace

void FindFilesAPI(const std::wstring& folder, std::wstring_view pattern, std::uint64_t& counter, ScanRows& rows) {
    const bool rowsFromFolderSearch = MatchesEveryName(pattern);
    std::uint32_t currentIndex = 0;
    auto addRow = [&](std::wstring_view name, const WIN32_FIND_DATAW& found) {
        rows.Add(name, currentIndex, RowOf(++counter, found));
    };

    // A stack of folders still to walk, each without its trailing backslash; the top is walked next.
    std::vector<std::wstring> pending{folder.ends_with(L'\\') ? folder.substr(0, folder.size() - 1) : folder};
    std::vector<std::wstring> subFolders;
    while (!pending.empty()) {
        const std::wstring current = std::move(pending.back());
        pending.pop_back();
        if (!rows.AddFolder(current, currentIndex)) return;
        subFolders.clear();
        ForEachEntry(current, L"*", [&](std::wstring_view name, const WIN32_FIND_DATAW& found) {
            if (IsWalkable(found)) subFolders.push_back(current + L'\\' + std::wstring(name));
            if (rowsFromFolderSearch) addRow(name, found);
        });
        if (!rowsFromFolderSearch) ForEachEntry(current, pattern, addRow);
        // Reversed onto the stack, so that the first sub-folder found is walked first.
        pending.insert(pending.end(), std::make_move_iterator(subFolders.rbegin()),
                       std::make_move_iterator(subFolders.rend()));
    }
}
