#include "restore/kept_copy.h"

#include "common/file_list.h"
#include "common/texts.h"
#include "common/unique_handle.h"
#include "restore/profile_paths.h"
#include "restore/safe_replace.h"

#include <cstring>
#include <memory>

namespace {

constexpr unsigned kMaxNumber = 1000;

std::optional<ULONGLONG> FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// Whether two files hold the same bytes; a file that cannot be read holds nothing that can be relied on.
bool SameBytes(const std::wstring& a, const std::wstring& b) {
    const auto sizeA = FileSize(a);
    if (!sizeA || sizeA != FileSize(b)) return false;
    UniqueFileHandle fileA, fileB;
    if (OpenToRead(a, fileA) != ERROR_SUCCESS || OpenToRead(b, fileB) != ERROR_SUCCESS) return false;
    constexpr DWORD kChunk = 1 << 16;
    const auto bufferA = std::make_unique<char[]>(kChunk), bufferB = std::make_unique<char[]>(kChunk);
    for (ULONGLONG left = *sizeA; left > 0;) {
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

bool SavedElsewhere(const std::wstring& favorites, const std::wstring& profileFolder) {
    if (SameBytes(favorites, UndoCopyPath(profileFolder))) return true;
    for (const wchar_t* backupFolderName : {texts::kDailyBackup, texts::kBackup}) {
        const std::wstring folder = JoinPath(profileFolder, backupFolderName);
        for (const std::wstring& name : ListableFileNames(folder, texts::kBackupPattern)) {
            if (SameBytes(favorites, JoinPath(folder, name))) return true;
        }
    }
    return false;
}

}  // namespace

KeptCopy KeepUnsavedFavorites(const std::wstring& profileFolder, const std::wstring& backupFolder) {
    const std::wstring favorites = FavoritesPath(profileFolder);
    if (SavedElsewhere(favorites, profileFolder)) return {};

    SYSTEMTIME now{};
    GetLocalTime(&now);
    for (unsigned number = 0; number <= kMaxNumber; ++number) {
        std::wstring name = BackupCopyName(now.wYear, now.wMonth, now.wDay, now.wHour, number);
        const std::wstring path = JoinPath(backupFolder, name);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        const DWORD error = CopyToNewFile(favorites, path);
        // A name that another program took meanwhile is passed over like any other taken name.
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) continue;
        if (error != ERROR_SUCCESS) return {error, {}};
        return {ERROR_SUCCESS, std::move(name)};
    }
    return {ERROR_FILE_EXISTS, {}};
}
