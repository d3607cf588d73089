#include "restore/restore.h"

#include "browser/process_search.h"
#include "common/exact_path.h"
#include "common/file_exists.h"
#include "common/system_error.h"
#include "common/texts.h"
#include "restore/kept_copy.h"
#include "restore/profile_paths.h"
#include "restore/safe_replace.h"

Notice RestoreFavorites(std::wstring_view listFolder, std::wstring_view selectedName) {
    if (IsProcessRunning(texts::kBrowserProcessName)) return ErrorNotice(texts::kBrowserRunning);
    if (selectedName.empty()) return ErrorNotice(texts::kNothingSelected);
    // Only a backup folder's parent is a profile: anywhere else the favorites would be written beside the backups.
    const auto listProfile = ProfileFolderFromList(listFolder);
    if (!listProfile) return ErrorNotice(texts::kNotInBackupFolder);

    const std::wstring backupFolder = ExactFullPath(listFolder);
    const std::wstring profileFolder = ExactFullPath(*listProfile);
    // The exact listed name: a name ending in a dot or a space would otherwise open its twin without them.
    const std::wstring backupPath = JoinPath(backupFolder, selectedName);
    const std::wstring favoritesPath = FavoritesPath(profileFolder);
    const std::wstring undoPath = UndoCopyPath(profileFolder);
    // The listed file may have gone since it was listed.
    if (!FileExists(backupPath)) return ErrorNotice(texts::kNothingSelected);

    RemoveLeftoverTemporaries(profileFolder);
    RemoveLeftoverTemporaries(backupFolder);
    std::wstring keptName;
    if (!FileExists(undoPath)) {
        // An existing undo copy holds the favorites from before the first restore and is never replaced, not
        // even by one that another copy of the tool saves at the same moment. With no favorites file there is
        // nothing to keep, and the backup simply goes into place.
        if (FileExists(favoritesPath)) {
            if (const DWORD error = CopyToNewFile(favoritesPath, undoPath)) {
                return FailureNotice(texts::kSaveUndoCopyFailed, error);
            }
        }
    } else if (FileExists(favoritesPath)) {
        // The undo copy holds older favorites: today's must not exist nowhere once the backup replaces them.
        KeptCopy kept = KeepUnsavedFavorites(profileFolder, backupFolder);
        if (kept.error != ERROR_SUCCESS) return FailureNotice(texts::kKeepFavoritesFailed, kept.error);
        keptName = std::move(kept.name);
    }
    if (const DWORD error = ReplaceWithCopy(backupPath, favoritesPath)) {
        return FailureNotice(texts::kRestoreBackupFailed, error);
    }
    std::wstring message = texts::kRestored;
    if (!keptName.empty()) {
        message += L'\n';
        message += texts::kFavoritesKeptAs + JoinPath(LastComponent(listFolder), keptName);
    }
    return InformationNotice(std::move(message));
}

Notice UndoRestore(std::wstring_view profileFolder) {
    if (IsProcessRunning(texts::kBrowserProcessName)) return ErrorNotice(texts::kBrowserRunning);

    const std::wstring exactProfileFolder = ExactFullPath(profileFolder);
    const std::wstring favoritesPath = FavoritesPath(exactProfileFolder);
    const std::wstring undoPath = UndoCopyPath(exactProfileFolder);
    // Before the check: an undo that ended between putting the undo copy aside and deleting it leaves nothing
    // to undo, only that hidden copy.
    RemoveLeftoverTemporaries(exactProfileFolder);
    if (!FileExists(undoPath)) return InformationNotice(texts::kNothingToUndo);

    if (const DWORD error = ReplaceWithCopy(undoPath, favoritesPath)) {
        return FailureNotice(texts::kRestoreUndoCopyFailed, error);
    }
    if (const DWORD error = DeleteFileForced(undoPath)) return FailureNotice(texts::kDeleteUndoCopyFailed, error);
    return InformationNotice(texts::kUndone);
}
