// A file's size and times as the file system reports them, in one form whichever record carries them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

inline std::uint64_t Uint64(DWORD high, DWORD low) {
    return std::uint64_t{high} << 32 | low;
}
// 100-ns ticks since 1601 UTC.
inline std::uint64_t Ticks(const FILETIME& time) {
    return Uint64(time.dwHighDateTime, time.dwLowDateTime);
}

// What tells one state of a file from another without reading it. A copy that takes a file's place keeps its
// source's size and last-write time, but its creation time is the moment it was made, so the two still differ.
struct FileVersion {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    std::uint64_t created = 0;

    bool operator==(const FileVersion&) const = default;
};

FileVersion VersionOf(const WIN32_FIND_DATAW& found);
FileVersion VersionOf(const BY_HANDLE_FILE_INFORMATION& info);
// The version of the file at `path`; nothing when it cannot be looked at or is a folder.
std::optional<FileVersion> FileVersionAt(const std::wstring& path);
