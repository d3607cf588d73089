// Restore of a backup copy over the favorites file, and its undo: the only writers of the favorites.
#pragma once

#include "common/notice.h"

#include <string_view>

// Puts the backup copy `selectedName` of `listFolder` in place of the profile's favorites file, keeping the
// favorites as the undo copy when no undo copy exists yet. The profile folder is the list folder without
// "\" + `backupFolderName`. Returns the one message the user is to see.
Notice RestoreFavorites(std::wstring_view listFolder, std::wstring_view selectedName,
                        std::wstring_view backupFolderName);

// Copies the undo copy back over the favorites file of `profileFolder` and deletes it.
Notice UndoRestore(std::wstring_view profileFolder);
