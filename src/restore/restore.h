// Restore of a backup copy over the favorites file, and its undo: the only writers of the favorites.
#pragma once

#include "common/notice.h"
#include "restore/backup_source.h"
#include "restore/facts_cache.h"

#include <optional>
#include <string_view>

// Puts the backup copy `selectedName` of the source's backup folder in place of the source profile's favorites
// file. Without a source (the file list shows some other folder) nothing is written, nor for a backup that holds the
// favorites' very bytes. For a backup found damaged it asks first, unless `damagedConfirmed`: the answer Yes asks for
// the same restore again with it set. The favorites are kept as the undo copy when no undo copy exists yet; when
// one does and the favorites are saved nowhere else, they are first kept as a copy of their own in the backup
// folder. Returns the one message the user is to see, or the question.
Notice RestoreFavorites(const std::optional<BackupSource>& source, std::wstring_view selectedName, FactsCache& facts,
                        bool damagedConfirmed = false);

// Copies the undo copy back over the favorites file of the source's profile and deletes it. Favorites saved
// nowhere else are first kept as a copy of their own: in the source's backup folder, else in the other one, else
// in a DailyBackup folder made for it.
Notice UndoRestore(const BackupSource& source);
