#include "restore/restore.h"

#include "browser/process_search.h"
#include "common/file_exists.h"
#include "common/system_error.h"
#include "common/texts.h"
#include "restore/profile_paths.h"
#include "restore/safe_replace.h"

Notice RestoreFavorites(std::wstring_view listFolder, std::wstring_view selectedName,
                        std::wstring_view backupFolderName) {
    const std::wstring backupPath = JoinPath(listFolder, selectedName);
    const std::wstring profileFolder = ProfileFolderFromList(listFolder, backupFolderName);
    const std::wstring favoritesPath = FavoritesPath(profileFolder);
    const std::wstring undoPath = UndoCopyPath(profileFolder);

    if (IsProcessRunning(texts::kBrowserProcessName)) return ErrorNotice(texts::kBrowserRunning);
    // With nothing selected the path names the folder itself, which is no file either.
    if (!FileExists(backupPath)) return ErrorNotice(texts::kNothingSelected);

    RemoveLeftoverTemporaries(profileFolder);
    // An existing undo copy holds the favorites from before the first restore and is never replaced, not
    // even by one that another copy of the tool saves at the same moment. With no favorites file there is
    // nothing to keep, and the backup simply goes into place.
    if (!FileExists(undoPath) && FileExists(favoritesPath)) {
        if (const DWORD error = CopyToNewFile(favoritesPath, undoPath)) {
            return FailureNotice(texts::kSaveUndoCopyFailed, error);
        }
    }
    if (const DWORD error = ReplaceWithCopy(backupPath, favoritesPath)) {
        return FailureNotice(texts::kRestoreBackupFailed, error);
    }
    return InformationNotice(texts::kRestored);
}

Notice UndoRestore(std::wstring_view profileFolder) {
    const std::wstring favoritesPath = FavoritesPath(profileFolder);
    const std::wstring undoPath = UndoCopyPath(profileFolder);

    if (IsProcessRunning(texts::kBrowserProcessName)) return ErrorNotice(texts::kBrowserRunning);
    if (!FileExists(undoPath)) return InformationNotice(texts::kNothingToUndo);

    RemoveLeftoverTemporaries(std::wstring(profileFolder));
    if (const DWORD error = ReplaceWithCopy(undoPath, favoritesPath)) {
        return FailureNotice(texts::kRestoreUndoCopyFailed, error);
    }
    if (const DWORD error = DeleteFileForced(undoPath)) return FailureNotice(texts::kDeleteUndoCopyFailed, error);
    return InformationNotice(texts::kUndone);
}
