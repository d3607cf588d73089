#include "restore/kept_copy.h"

#include "common/file_list.h"
#include "common/paths.h"
#include "common/texts.h"
#include "restore/backup_source.h"
#include "restore/file_names.h"
#include "restore/linked_files.h"
#include "restore/safe_replace.h"

#include <cstring>
#include <memory>

namespace {

constexpr unsigned kMaxNumber = 999;

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

// A copy that is the favorites file itself, reached another way, saves nothing.
bool HoldsTheSameElsewhere(const std::wstring& favorites, const std::wstring& copy) {
    return SameBytes(favorites, copy) && !SameFile(favorites, copy);
}

}  // namespace

bool FavoritesSavedElsewhere(const std::wstring& profileFolder) {
    const std::wstring favorites = FavoritesPath(profileFolder);
    if (HoldsTheSameElsewhere(favorites, UndoCopyPath(profileFolder))) return true;
    for (const BackupFolderKind kind : {BackupFolderKind::DailyBackup, BackupFolderKind::Backup}) {
        const std::wstring folder = BackupFolderPath(profileFolder, kind);
        for (const std::wstring& name : ListableFileNames(folder, texts::kBackupPattern)) {
            if (HoldsTheSameElsewhere(favorites, JoinPath(folder, name))) return true;
        }
    }
    return false;
}

KeptCopy KeepFavorites(const std::wstring& profileFolder, const std::wstring& folder) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const KeptCopyTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    for (unsigned number = 0; number <= kMaxNumber; ++number) {
        std::wstring name = KeptCopyName(time, number);
        const std::wstring path = JoinPath(folder, name);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        const DWORD error = CopyToNewFile(FavoritesPath(profileFolder), path);
        // A name that another program took meanwhile is passed over like any other taken name.
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) continue;
        if (error != ERROR_SUCCESS) return {error, {}};
        return {ERROR_SUCCESS, std::move(name)};
    }
    return {ERROR_FILE_EXISTS, {}};
}
