#include "restore/linked_files.h"

#include "common/unique_handle.h"

namespace {

// Opened only to read attributes, which no other opener's sharing forbids; a link is followed.
UniqueFileHandle OpenForAttributes(const std::wstring& path) {
    return UniqueFileHandle{CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
}

// The full path of an open file or folder, links resolved; empty when the system cannot tell.
std::wstring FinalPath(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
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

DWORD LinkedFile(const std::wstring& path, std::wstring& file) {
    if (const UniqueFileHandle opened = OpenForAttributes(path)) {
        file = FinalPath(opened.Get());
        if (file.empty()) file = path;
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) || UnreachableEntryThere(path)) return error;
    file = path;
    return ERROR_SUCCESS;
}

bool IsLink(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    if (const UniqueFindHandle entry{FindFirstFileW(path.c_str(), &found)};
        entry && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        (found.dwReserved0 == IO_REPARSE_TAG_SYMLINK || found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT)) {
        return true;
    }
    // The file that the path opens lies in another folder, or has another name, than the entry: a link.
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    std::wstring folderPath = path.substr(0, slash + 1);
    // A drive's root keeps its backslash, as "C:" alone names the volume.
    if (!folderPath.ends_with(L":\\")) folderPath.pop_back();
    const UniqueFileHandle file = OpenForAttributes(path);
    const UniqueFileHandle folder = OpenForAttributes(folderPath);
    if (!file || !folder) return false;
    const std::wstring finalFile = FinalPath(file.Get());
    std::wstring expected = FinalPath(folder.Get());
    if (finalFile.empty() || expected.empty()) return false;
    if (!expected.ends_with(L'\\')) expected += L'\\';
    expected += path.substr(slash + 1);
    return CompareStringOrdinal(finalFile.c_str(), -1, expected.c_str(), -1, TRUE) != CSTR_EQUAL;
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
    return FileIdentity(a, infoA) && FileIdentity(b, infoB) &&
           infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}
