#include "profile/kept_copy.h"

#include "filesystem/directory_listing.h"
#include "filesystem/file_content.h"
#include "filesystem/linked_files.h"
#include "filesystem/paths.h"
#include "filesystem/safe_copy.h"
#include "filesystem/temporary_file.h"
#include "messages/texts.h"
#include "profile/backup_names.h"

namespace {

constexpr unsigned kMaxNumber = 999;

// A copy that is the favorites file itself, reached another way, saves nothing.
bool HoldsTheSameElsewhere(const std::wstring& favorites, const std::wstring& copy) {
    bool same = false;
    return !CompareBytes(favorites, copy, same) && same && !SameFile(favorites, copy);
}

}  // namespace

bool FavoritesSavedElsewhere(const Profile& profile) {
    const std::wstring favorites = profile.Favorites();
    const auto version = FileVersionAt(favorites);
    if (!version) return false;
    if (HoldsTheSameElsewhere(favorites, profile.UndoCopy())) return true;
    for (const BackupFolderKind kind : kBackupFolderKinds) {
        const std::wstring folder = profile.BackupFolder(kind);
        for (const ListedFile& file : ListableFiles(folder, texts::kBackupPattern)) {
            if (file.version.size == version->size && HoldsTheSameElsewhere(favorites, JoinPath(folder, file.name))) {
                return true;
            }
        }
    }
    return false;
}

KeptCopy KeepFavorites(const Profile& profile, BackupFolderKind folder) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const CalendarTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    for (unsigned number = 0; number <= kMaxNumber; ++number) {
        std::wstring name = KeptCopyName(time, number);
        const std::wstring path = JoinPath(profile.BackupFolder(folder), name);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        const FileError error = CopyToNewFile(profile.Favorites(), path);
        // A name that another program took meanwhile is passed over like any other taken name.
        if (IsTaken(error.code)) continue;
        if (error) return {error, {}};
        return {{}, std::move(name)};
    }
    return {{ERROR_FILE_EXISTS, profile.BackupFolder(folder)}, {}};
}
