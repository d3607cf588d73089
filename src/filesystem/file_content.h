// Reading what a file holds: its first bytes, the digest of all of them, and whether two files hold the same.
#pragma once

#include "filesystem/file_error.h"
#include "filesystem/file_version.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

// The clear part of a favorites file's header.
inline constexpr std::size_t kHeaderBytes = 24;

// What one read of a file gave.
struct FileContent {
    FileVersion version;  // as the file was while it was read
    std::array<std::uint8_t, kHeaderBytes> header{};
    std::size_t headerLength = 0;  // fewer than kHeaderBytes for a shorter file
    bool digested = false;         // whether `digest` covers all the bytes
    std::uint64_t digest = 0;
};

// Reads a file's first bytes, or with `whole` all of it for its digest, opened as every file step opens files (a
// brief hold is waited out). A set `stop`, looked at between pieces, ends a long read with ERROR_CANCELLED.
FileError ReadContent(const std::wstring& path,
                      bool whole,
                      FileContent& content,
                      const std::atomic<bool>* stop = nullptr);

// Whether two files hold the same bytes: the sizes first, then the bytes, up to the first difference.
FileError CompareBytes(const std::wstring& a, const std::wstring& b, bool& same);
