#include "restore/file_compare.h"

#include "restore/safe_replace.h"

#include <cstring>
#include <memory>

std::optional<std::uint64_t> FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool SameBytes(const std::wstring& a, const std::wstring& b) {
    const auto sizeA = FileSize(a);
    if (!sizeA || sizeA != FileSize(b)) return false;
    UniqueFileHandle fileA, fileB;
    if (OpenToRead(a, fileA) != ERROR_SUCCESS || OpenToRead(b, fileB) != ERROR_SUCCESS) return false;
    constexpr DWORD kChunk = 1 << 16;
    const auto bufferA = std::make_unique<char[]>(kChunk), bufferB = std::make_unique<char[]>(kChunk);
    for (std::uint64_t left = *sizeA; left > 0;) {
        const DWORD want = static_cast<DWORD>(left < kChunk ? left : kChunk);
        DWORD readA = 0, readB = 0;
        if (!ReadFile(fileA.Get(), bufferA.get(), want, &readA, nullptr) || readA != want ||
            !ReadFile(fileB.Get(), bufferB.get(), want, &readB, nullptr) || readB != want ||
            std::memcmp(bufferA.get(), bufferB.get(), want) != 0) {
            return false;
        }
        left -= want;
    }
    return true;
}
