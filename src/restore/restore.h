// Restore of a backup copy over the favorites file, and its undo: the only writers of the favorites.
#pragma once

#include "common/notice.h"

#include <string_view>

// Puts the backup copy `selectedName` of `listFolder` in place of the favorites file of the profile that the
// list folder (a DailyBackup or Backup folder) belongs to. The favorites are kept as the undo copy when no undo
// copy exists yet; when one does and the favorites are saved nowhere else, they are first kept as a new backup
// copy in the list folder. Returns the one message the user is to see.
Notice RestoreFavorites(std::wstring_view listFolder, std::wstring_view selectedName);

// Copies the undo copy back over the favorites file of `profileFolder` and deletes it.
Notice UndoRestore(std::wstring_view profileFolder);
