#include "restore/kept_copy.h"

#include "common/file_list.h"
#include "common/paths.h"
#include "common/texts.h"
#include "restore/backup_source.h"
#include "restore/file_compare.h"
#include "restore/file_names.h"
#include "restore/linked_files.h"
#include "restore/safe_replace.h"

namespace {

constexpr unsigned kMaxNumber = 999;

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
