#include "restore/restore.h"

#include "browser/process_search.h"
#include "common/exact_path.h"
#include "common/file_exists.h"
#include "common/paths.h"
#include "common/system_error.h"
#include "common/texts.h"
#include "restore/file_names.h"
#include "restore/kept_copy.h"
#include "restore/safe_replace.h"

#include <utility>

namespace {

// The success message, with lines that name the kept copy, if one was made, by its folder and name: the name on a
// line of its own, so that the box does not break it at a backslash.
Notice Success(const wchar_t* done, const wchar_t* keptAs, BackupFolderKind keptIn, const KeptCopy& kept) {
    std::wstring message = done;
    if (!kept.name.empty()) {
        message = message + L'\n' + keptAs + L'\n' + JoinPath(BackupFolderName(keptIn), kept.name);
    }
    return InformationNotice(std::move(message));
}

// Where undo keeps favorites saved nowhere else: the source's backup folder, else the profile's other one, else a
// DailyBackup folder made for it. Fails with the system's error code when none can be had.
DWORD FolderForUndoCopy(const std::wstring& profileFolder, BackupFolderKind preferred, BackupFolderKind& chosen) {
    for (const BackupFolderKind kind : {preferred, OtherBackupFolder(preferred)}) {
        if (FolderExists(BackupFolderPath(profileFolder, kind))) {
            chosen = kind;
            return ERROR_SUCCESS;
        }
    }
    chosen = BackupFolderKind::DailyBackup;
    return CreateDirectoryW(BackupFolderPath(profileFolder, chosen).c_str(), nullptr) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

Notice RestoreFavorites(const std::optional<BackupSource>& source, std::wstring_view selectedName, FactsCache& facts,
                        bool damagedConfirmed) {
    if (IsProcessRunning(texts::kBrowserProcessName)) return ErrorNotice(texts::kBrowserRunning);
    if (selectedName.empty()) return ErrorNotice(texts::kNothingSelected);
    // A list that shows no backup folder of a known profile has nowhere to restore to.
    if (!source) return ErrorNotice(texts::kNotInBackupFolder);

    const std::wstring profileFolder = ExactFullPath(source->profileFolder);
    const std::wstring backupFolder = BackupFolderPath(profileFolder, source->backupFolder);
    // The exact listed name: a name ending in a dot or a space would otherwise open its twin without them.
    const std::wstring backupPath = JoinPath(backupFolder, selectedName);
    const std::wstring favoritesPath = FavoritesPath(profileFolder);
    const std::wstring undoPath = UndoCopyPath(profileFolder);
    // The listed file may have gone since it was listed.
    if (!FileExists(backupPath)) return ErrorNotice(texts::kNothingSelected);
    if (facts.SameAsFavorites(backupFolder, std::wstring(selectedName), favoritesPath)) {
        return InformationNotice(texts::kBackupIsCurrent);
    }
    if (!damagedConfirmed && facts.Damaged(backupFolder, std::wstring(selectedName), favoritesPath)) {
        return QuestionNotice(texts::kRestoreDamaged);
    }

    RemoveLeftoverTemporaries(profileFolder);
    RemoveLeftoverTemporaries(backupFolder);
    KeptCopy kept;
    if (!FileExists(undoPath)) {
        // An existing undo copy holds the favorites from before the first restore and is never replaced, not
        // even by one that another copy of the tool saves at the same moment. With no favorites file there is
        // nothing to keep, and the backup simply goes into place.
        if (FileExists(favoritesPath)) {
            if (const DWORD error = CopyToNewFile(favoritesPath, undoPath)) {
                return FailureNotice(texts::kSaveUndoCopyFailed, error);
            }
        }
    } else if (FileExists(favoritesPath) && !FavoritesSavedElsewhere(profileFolder)) {
        // The undo copy holds older favorites: today's must not exist nowhere once the backup replaces them.
        kept = KeepFavorites(profileFolder, backupFolder);
        if (kept.error != ERROR_SUCCESS) return FailureNotice(texts::kKeepFavoritesFailed, kept.error);
    }
    if (const DWORD error = ReplaceWithCopy(backupPath, favoritesPath)) {
        return FailureNotice(texts::kRestoreBackupFailed, error);
    }
    return Success(texts::kRestored, texts::kFavoritesKeptAs, source->backupFolder, kept);
}

Notice UndoRestore(const BackupSource& source) {
    if (IsProcessRunning(texts::kBrowserProcessName)) return ErrorNotice(texts::kBrowserRunning);

    const std::wstring profileFolder = ExactFullPath(source.profileFolder);
    const std::wstring favoritesPath = FavoritesPath(profileFolder);
    const std::wstring undoPath = UndoCopyPath(profileFolder);
    // Before the check: an undo that ended between putting the undo copy aside and deleting it leaves nothing
    // to undo, only that hidden copy.
    RemoveLeftoverTemporaries(profileFolder);
    if (!FileExists(undoPath)) return InformationNotice(texts::kNothingToUndo);

    // Favorites changed since the restore (bookmarks added in the browser) must not be lost to the undo.
    KeptCopy kept;
    BackupFolderKind keptIn = source.backupFolder;
    if (FileExists(favoritesPath) && !FavoritesSavedElsewhere(profileFolder)) {
        if (const DWORD error = FolderForUndoCopy(profileFolder, source.backupFolder, keptIn)) {
            return FailureNotice(texts::kKeepBeforeUndoFailed, error);
        }
        kept = KeepFavorites(profileFolder, BackupFolderPath(profileFolder, keptIn));
        if (kept.error != ERROR_SUCCESS) return FailureNotice(texts::kKeepBeforeUndoFailed, kept.error);
    }
    if (const DWORD error = ReplaceWithCopy(undoPath, favoritesPath)) {
        return FailureNotice(texts::kRestoreUndoCopyFailed, error);
    }
    if (const DWORD error = DeleteFileForced(undoPath)) return FailureNotice(texts::kDeleteUndoCopyFailed, error);
    return Success(texts::kUndone, texts::kFavoritesKeptBeforeUndoAs, keptIn, kept);
}
