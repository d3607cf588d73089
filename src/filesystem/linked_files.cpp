#include "filesystem/linked_files.h"

#include "filesystem/exact_path.h"
#include "filesystem/paths.h"
#include "win32/case_fold.h"
#include "win32/unique_handle.h"

namespace {

// Opened only to read attributes, which no other opener's sharing forbids; a link is followed.
UniqueFileHandle OpenForAttributes(const std::wstring& path) {
    return UniqueFileHandle{CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
}

// Whether an entry named `path` is there although it cannot be opened: a link whose target is gone. Windows lists
// such a link; Wine hides it from every listing, but will not create a file in its place. A file made by the probe
// goes again when its handle closes.
bool UnreachableEntryThere(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    if (UniqueFindHandle{FindFirstFileW(path.c_str(), &found)}) return true;
    const UniqueFileHandle probe{CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr)};
    return !probe && GetLastError() == ERROR_FILE_EXISTS;
}

bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    const UniqueFileHandle file = OpenForAttributes(path);
    return file && GetFileInformationByHandle(file.Get(), &info);
}

}  // namespace

FileError LinkedFile(const std::wstring& path, std::wstring& file) {
    if (const UniqueFileHandle opened = OpenForAttributes(path)) {
        file = FinalPath(opened.Get());
        if (file.empty()) file = path;
        return {};
    }
    const FileError error = ErrorUnless(FALSE, path);
    if ((error.code != ERROR_FILE_NOT_FOUND && error.code != ERROR_PATH_NOT_FOUND) || UnreachableEntryThere(path)) {
        return error;
    }
    file = path;
    return {};
}

bool IsLink(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    if (const UniqueFindHandle entry{FindFirstFileW(path.c_str(), &found)};
        entry && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        (found.dwReserved0 == IO_REPARSE_TAG_SYMLINK || found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT)) {
        return true;
    }
    // The file that the path opens lies in another folder, or has another name, than the entry: a link.
    const std::wstring_view folder = FolderOf(path);
    if (folder.empty()) return false;
    // A drive's root keeps its backslash, as "C:" alone names the volume.
    const std::wstring folderPath = folder.ends_with(L':') ? std::wstring(folder) + L'\\' : std::wstring(folder);
    const UniqueFileHandle file = OpenForAttributes(path);
    const UniqueFileHandle parent = OpenForAttributes(folderPath);
    if (!file || !parent) return false;
    const std::wstring finalFile = FinalPath(file.Get());
    std::wstring expected = FinalPath(parent.Get());
    if (finalFile.empty() || expected.empty()) return false;
    if (!expected.ends_with(L'\\')) expected += L'\\';
    expected += LastComponent(path);
    return FoldCase(finalFile) != FoldCase(expected);
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
    return FileIdentity(a, infoA) && FileIdentity(b, infoB) &&
           infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}
