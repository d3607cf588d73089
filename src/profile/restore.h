// Restore of a backup copy over the favorites file, and its undo: the only writers of the favorites. Each holds its
// profile's lock from its first check to its last step and makes every decision under it, so that two copies of the
// tool never act on one profile at once.
#pragma once

#include "messages/notice.h"
#include "profile/profile.h"

#include <optional>
#include <string_view>

// How long an operation waits for another copy of the tool to finish with the same profile before it says so.
inline constexpr unsigned kProfileLockWaitMs = 3000;

// Puts the backup `selectedName` (empty: nothing selected) of the listed profile's backup folder `folder` in place
// of the profile's favorites file. Without a listed profile (the file list shows some other folder) nothing is
// written, nor for a backup that holds the favorites' very bytes. For a backup found damaged it asks first, unless
// `damagedConfirmed`: the answer Yes asks for the same restore again with it set. Those decisions are made from the
// files as they read now; a file that cannot be read stops it. The favorites are kept as the undo copy when no undo
// copy exists yet; when one does and the favorites are saved nowhere else, they are first kept as a copy of their
// own in the backup folder. Returns the one message the user is to see, or the question.
Notice RestoreFavorites(const std::optional<Profile>& listed,
                        BackupFolderKind folder,
                        std::wstring_view selectedName,
                        bool damagedConfirmed = false);

// Copies the undo copy back over the profile's favorites file and deletes it. Favorites saved nowhere else are
// first kept as a copy of their own: in the backup folder `keepIn`, else in the other one, else in a DailyBackup
// folder made for it.
Notice UndoRestore(const Profile& profile, BackupFolderKind keepIn);
