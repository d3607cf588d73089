#include "filesystem/file_content.h"

#include "filesystem/busy_retry.h"
#include "filesystem/content_digest.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr DWORD kChunk = 1 << 20;

// A buffer of a piece for a file of `size` bytes: its whole size where that is less than a piece, so that a small
// file is read in one call without a large allocation each time (3000 small backups are thousands of reads).
DWORD PieceFor(std::uint64_t size, DWORD least = 1) {
    return static_cast<DWORD>(std::clamp<std::uint64_t>(size + 1, least, kChunk));
}

FileError Version(HANDLE file, const std::wstring& path, FileVersion& version) {
    BY_HANDLE_FILE_INFORMATION info{};
    const FileError error = ErrorUnless(GetFileInformationByHandle(file, &info), path);
    version = VersionOf(info);
    return error;
}

// Reads up to `size` bytes, fewer only at the end of the file.
FileError ReadPiece(HANDLE file, const std::wstring& path, std::uint8_t* buffer, DWORD size, DWORD& read) {
    read = 0;
    for (DWORD got = 0; read < size; read += got) {
        if (!ReadFile(file, buffer + read, size - read, &got, nullptr)) return ErrorUnless(FALSE, path);
        if (got == 0) break;
    }
    return {};
}

}  // namespace

FileError ReadContent(const std::wstring& path, bool whole, FileContent& content, const std::atomic<bool>* stop) {
    content = {};
    UniqueFileHandle file;
    if (FileError error = OpenToRead(path, file)) return error;
    if (FileError error = Version(file.Get(), path, content.version)) return error;
    const DWORD size = whole ? PieceFor(content.version.size, kHeaderBytes) : static_cast<DWORD>(kHeaderBytes);
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    ContentDigest digest;
    for (bool first = true;; first = false) {
        if (stop && stop->load()) return {ERROR_CANCELLED, path};
        DWORD read = 0;
        if (FileError error = ReadPiece(file.Get(), path, buffer.get(), size, read)) return error;
        if (first) {
            content.headerLength = std::min<std::size_t>(read, kHeaderBytes);
            std::memcpy(content.header.data(), buffer.get(), content.headerLength);
        }
        if (!whole) return {};
        digest.Add({buffer.get(), read});
        if (read < size) break;
    }
    content.digested = true;
    content.digest = digest.Value();
    return {};
}

FileError CompareBytes(const std::wstring& a, const std::wstring& b, bool& same) {
    same = false;
    UniqueFileHandle fileA, fileB;
    FileVersion versionA, versionB;
    if (FileError error = OpenToRead(a, fileA)) return error;
    if (FileError error = OpenToRead(b, fileB)) return error;
    if (FileError error = Version(fileA.Get(), a, versionA)) return error;
    if (FileError error = Version(fileB.Get(), b, versionB)) return error;
    if (versionA.size != versionB.size) return {};
    const DWORD piece = PieceFor(versionA.size);
    const auto bufferA = std::make_unique_for_overwrite<std::uint8_t[]>(piece);
    const auto bufferB = std::make_unique_for_overwrite<std::uint8_t[]>(piece);
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (FileError error = ReadPiece(fileA.Get(), a, bufferA.get(), piece, readA)) return error;
        if (FileError error = ReadPiece(fileB.Get(), b, bufferB.get(), piece, readB)) return error;
        if (readA != readB || std::memcmp(bufferA.get(), bufferB.get(), readA) != 0) return {};
        if (readA < piece) break;
    }
    same = true;
    return {};
}
