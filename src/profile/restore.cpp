#include "profile/restore.h"

#include "browser/process_search.h"
#include "filesystem/directory_listing.h"
#include "filesystem/exact_path.h"
#include "filesystem/file_content.h"
#include "filesystem/file_exists.h"
#include "filesystem/leftover_sweep.h"
#include "filesystem/linked_files.h"
#include "filesystem/paths.h"
#include "filesystem/safe_copy.h"
#include "filesystem/safe_delete.h"
#include "messages/texts.h"
#include "profile/backup_format.h"
#include "profile/backup_names.h"
#include "profile/kept_copy.h"
#include "profile/profile_lock.h"

#include <utility>

namespace {

std::optional<Notice> BrowserRefusal() {
    switch (IsProcessRunning(texts::kBrowserProcessName)) {
        case ProcessCheck::Running:
            return ErrorNotice(texts::kBrowserRunning);
        case ProcessCheck::Unknown:
            return ErrorNotice(texts::kBrowserUnchecked);
        case ProcessCheck::NotRunning:
            break;
    }
    return std::nullopt;
}

// The success message, with the lines that name the kept copy, if one was made: its folder in words, then its name
// on a line of its own, so that the box never breaks it.
Notice Success(const wchar_t* done, const wchar_t* keptIn, BackupFolderKind folder, const KeptCopy& kept) {
    std::wstring message = done;
    if (!kept.name.empty()) {
        message = message + L'\n' + keptIn + L' ' + std::wstring(BackupFolderName(folder)) + L' ' +
                  texts::kKeptInFolderEnd + L'\n' + kept.name;
    }
    return InformationNotice(std::move(message));
}

// A run killed between a copy's rename and the clearing of its hidden attribute leaves the file hidden: the
// browser's own save over a hidden favorites file fails, and a hidden kept copy drops out of every list and of the
// check for favorites saved elsewhere. The next operation makes them plain again.
void MendLeftHidden(const Profile& profile) {
    const auto unhide = [](const std::wstring& path, DWORD attributes) {
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) &&
            !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) && !IsLink(path)) {
            SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_HIDDEN);
        }
    };
    for (const std::wstring& path : {profile.Favorites(), profile.UndoCopy()}) {
        unhide(path, GetFileAttributesW(path.c_str()));
    }
    for (const BackupFolderKind kind : kBackupFolderKinds) {
        const std::wstring folder = profile.BackupFolder(kind);
        ForEachEntry(folder, L"Favorite2.dat.*", [&](std::wstring_view name, const WIN32_FIND_DATAW& found) {
            if (IsKeptCopyName(name)) unhide(JoinPath(folder, name), found.dwFileAttributes);
        });
    }
}

// Run as administrator, every write must land inside the profile folder: where a link at each path (a file, or a
// folder that new files go into) leads, or for a file yet to be made its folder, with no junction at the profile
// folder itself. Not so confined, links are followed as the user made them.
std::optional<Notice> WriteRefusal(const Profile& profile, std::initializer_list<std::wstring> paths) {
    if (!profile.WritesConfined()) return std::nullopt;
    const std::wstring inside = FinalPathOf(profile.Folder());
    const DWORD attributes = GetFileAttributesW(profile.Folder().c_str());
    for (const std::wstring& path : paths) {
        std::wstring lands = FinalPathOf(path);
        if (lands.empty()) lands = FinalPathOf(std::wstring(FolderOf(path)));
        // Nothing there to write through: the write itself will say what is missing.
        if (lands.empty()) continue;
        if (inside.empty() || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !IsInsideFolder(lands, inside)) {
            return ErrorNotice(texts::kWriteLeavesProfile);
        }
    }
    return std::nullopt;
}

// A read of the backup or of the favorites failed: the message names which.
Notice ReadFailure(const FileError& error, const Profile& profile) {
    return FailureNotice(error.path == profile.Favorites() ? texts::kReadFavoritesFailed : texts::kReadBackupFailed,
                         error);
}

// Whether the backup holds the favorites' very bytes, or is damaged where the profile's format is known, decided
// from the files as they read now: nothing is taken from earlier looks.
std::optional<Notice> CheckBackup(const BackupCopy& backup, bool damagedConfirmed) {
    const Profile& profile = backup.profile;
    const std::wstring path = backup.Path(), favorites = profile.Favorites();
    FileContent content;
    if (FileError error = ReadContent(path, false, content)) return ReadFailure(error, profile);
    const auto current = FileVersionAt(favorites);
    if (current && current->size == content.version.size) {
        bool same = false;
        if (FileError error = CompareBytes(path, favorites, same)) return ReadFailure(error, profile);
        if (same) return InformationNotice(texts::kBackupIsCurrent);
    }
    if (damagedConfirmed || HeaderIsWhole({content.header.data(), content.headerLength}, content.version.size)) {
        return std::nullopt;
    }
    std::optional<bool> favoritesWhole;
    std::size_t listedWhole = 0, listedRead = 0;
    if (current) {
        FileContent favoritesContent;
        if (FileError error = ReadContent(favorites, false, favoritesContent)) return ReadFailure(error, profile);
        favoritesWhole = HeaderIsWhole({favoritesContent.header.data(), favoritesContent.headerLength},
                                       favoritesContent.version.size);
    } else {
        const std::wstring folder = profile.BackupFolder(backup.folder);
        for (const ListedFile& file : ListableFiles(folder, texts::kBackupPattern)) {
            FileContent listed;
            if (ReadContent(JoinPath(folder, file.name), false, listed)) continue;
            ++listedRead;
            listedWhole += HeaderIsWhole({listed.header.data(), listed.headerLength}, listed.version.size);
        }
    }
    if (IsDamaged(false, favoritesWhole, listedWhole, listedRead)) return QuestionNotice(texts::kRestoreDamaged);
    return std::nullopt;
}

// Where favorites saved nowhere else are kept: `folder`, else the profile's other backup folder, else a DailyBackup
// folder made for it; `folder` then names it.
FileError FolderForKeptCopy(const Profile& profile, BackupFolderKind& folder) {
    for (const BackupFolderKind kind : {folder, OtherBackupFolder(folder)}) {
        if (FolderExists(profile.BackupFolder(kind))) {
            folder = kind;
            return {};
        }
    }
    folder = BackupFolderKind::DailyBackup;
    const std::wstring path = profile.BackupFolder(folder);
    return ErrorUnless(CreateDirectoryW(path.c_str(), nullptr), path);
}

// Favorites that would exist nowhere else once a restore or an undo replaces them are first kept as a copy of their
// own, in the backup folder `folder` or where FolderForKeptCopy finds room. The refusal (`failed` and the reason)
// where no copy can be made.
std::optional<Notice> KeepUnsavedFavorites(const Profile& profile,
                                           BackupFolderKind& folder,
                                           const wchar_t* failed,
                                           KeptCopy& kept) {
    if (!FileExists(profile.Favorites()) || FavoritesSavedElsewhere(profile)) return std::nullopt;
    if (FileError error = FolderForKeptCopy(profile, folder)) return FailureNotice(failed, error);
    if (auto refusal = WriteRefusal(profile, {profile.BackupFolder(folder)})) return refusal;
    kept = KeepFavorites(profile, folder);
    if (kept.error) return FailureNotice(failed, kept.error);
    return std::nullopt;
}

}  // namespace

Notice RestoreFavorites(const std::optional<Profile>& listed,
                        BackupFolderKind folder,
                        std::wstring_view selectedName,
                        bool damagedConfirmed) {
    const auto lock = listed ? ProfileLock::Take(*listed, kProfileLockWaitMs) : std::nullopt;
    if (listed && !lock) return ErrorNotice(texts::kAnotherCopyWorking);
    if (auto refusal = BrowserRefusal()) return *refusal;
    if (selectedName.empty()) return ErrorNotice(texts::kNothingSelected);
    // A list that shows no backup folder of a known profile has nowhere to restore to.
    if (!listed) return ErrorNotice(texts::kNotInBackupFolder);

    // The exact listed name: a name ending in a dot or a space would otherwise open its twin without them.
    const BackupCopy backup{*listed, folder, std::wstring(selectedName)};
    const Profile& profile = backup.profile;
    if (!FileExists(backup.Path())) return ErrorNotice(texts::kBackupGone);
    MendLeftHidden(profile);
    RemoveLeftoverTemporaries(profile.Folder());
    RemoveLeftoverTemporaries(profile.BackupFolder(folder));
    if (auto refusal = CheckBackup(backup, damagedConfirmed)) return *refusal;
    if (auto refusal = WriteRefusal(profile, {profile.Favorites(), profile.UndoCopy()})) return *refusal;

    KeptCopy kept;
    BackupFolderKind keptIn = folder;
    if (!FileExists(profile.UndoCopy())) {
        // An existing undo copy holds the favorites from before the first restore and is never replaced, not even by
        // one that another copy of the tool saves at the same moment. With no favorites file there is nothing to
        // keep, and the backup simply goes into place.
        if (FileExists(profile.Favorites())) {
            if (FileError error = CopyToNewFile(profile.Favorites(), profile.UndoCopy())) {
                return FailureNotice(texts::kSaveUndoCopyFailed, error);
            }
        }
    } else if (auto refusal = KeepUnsavedFavorites(profile, keptIn, texts::kKeepFavoritesFailed, kept)) {
        // The undo copy holds older favorites: today's must not exist nowhere once the backup replaces them.
        return *refusal;
    }
    if (FileError error = ReplaceWithCopy(backup.Path(), profile.Favorites())) {
        return FailureNotice(texts::kRestoreBackupFailed, error);
    }
    return Success(texts::kRestored, texts::kFavoritesKeptIn, keptIn, kept);
}

Notice UndoRestore(const Profile& profile, BackupFolderKind keepIn) {
    const auto lock = ProfileLock::Take(profile, kProfileLockWaitMs);
    if (!lock) return ErrorNotice(texts::kAnotherCopyWorking);
    if (auto refusal = BrowserRefusal()) return *refusal;

    MendLeftHidden(profile);
    // Before the check: an undo that ended between putting the undo copy aside and deleting it leaves nothing to
    // undo, only that hidden copy.
    RemoveLeftoverTemporaries(profile.Folder());
    if (!FileExists(profile.UndoCopy())) return InformationNotice(texts::kNothingToUndo);
    if (auto refusal = WriteRefusal(profile, {profile.Favorites(), profile.UndoCopy()})) return *refusal;

    // Favorites changed since the restore (bookmarks added in the browser) must not be lost to the undo.
    KeptCopy kept;
    BackupFolderKind keptIn = keepIn;
    if (auto refusal = KeepUnsavedFavorites(profile, keptIn, texts::kKeepBeforeUndoFailed, kept)) return *refusal;
    if (FileError error = ReplaceWithCopy(profile.UndoCopy(), profile.Favorites())) {
        return FailureNotice(texts::kRestoreUndoCopyFailed, error);
    }
    // The favorites are back: what is left to tell is a notice, not an error.
    if (FileError error = DeleteFileForced(profile.UndoCopy())) {
        return WarningNotice(std::wstring(texts::kDeleteUndoCopyFailed) + texts::kReason + ReasonText(error));
    }
    return Success(texts::kUndone, texts::kFavoritesKeptBeforeUndoIn, keptIn, kept);
}
