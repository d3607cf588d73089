#include "filesystem/file_version.h"

FileVersion VersionOf(const WIN32_FIND_DATAW& found) {
    return {Uint64(found.nFileSizeHigh, found.nFileSizeLow), Ticks(found.ftLastWriteTime), Ticks(found.ftCreationTime)};
}

FileVersion VersionOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {Uint64(info.nFileSizeHigh, info.nFileSizeLow), Ticks(info.ftLastWriteTime), Ticks(info.ftCreationTime)};
}

std::optional<FileVersion> FileVersionAt(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return FileVersion{Uint64(data.nFileSizeHigh, data.nFileSizeLow), Ticks(data.ftLastWriteTime),
                       Ticks(data.ftCreationTime)};
}
