#include "filesystem/exact_path.h"

#include "filesystem/paths.h"
#include "win32/case_fold.h"
#include "win32/growing_text.h"
#include "win32/unique_handle.h"

std::wstring ExactFullPath(std::wstring_view path) {
    const std::wstring given(path);
    const auto full = GrowingText(
        [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(given.c_str(), size, buffer, nullptr); });
    return ExactPathForm(full.value_or(given));
}

std::wstring FinalPath(HANDLE file) {
    return GrowingText([&](wchar_t* buffer, DWORD size) {
               return GetFinalPathNameByHandleW(file, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
           })
        .value_or(std::wstring());
}

std::wstring FinalPathOf(const std::wstring& path) {
    // Only attributes are read, which no other opener's sharing forbids; a link is followed.
    const UniqueFileHandle opened{CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    return opened ? FinalPath(opened.Get()) : std::wstring();
}

bool IsInsideFolder(std::wstring_view path, std::wstring_view folder) {
    while (folder.ends_with(L'\\'))
        folder.remove_suffix(1);
    if (path.size() < folder.size() || (path.size() > folder.size() && path[folder.size()] != L'\\')) return false;
    return FoldCase(path.substr(0, folder.size())) == FoldCase(folder);
}
