// Favorites that exist nowhere else are kept as a copy of their own before a restore or an undo replaces them.
#pragma once

#include "filesystem/file_error.h"
#include "profile/profile.h"

#include <string>

// Whether the profile's favorites exist elsewhere, byte for byte: as its undo copy or as a listed backup copy in its
// DailyBackup or Backup folder, that is another file than the favorites (not a link to them, say). A file that
// cannot be read saves nothing.
bool FavoritesSavedElsewhere(const Profile& profile);

struct KeptCopy {
    FileError error;
    std::wstring name;  // the new copy's file name
};

// Copies the profile's favorites into its backup folder `folder` under a kept copy's name for the current local
// time, the first free one. Never replaces a file.
KeptCopy KeepFavorites(const Profile& profile, BackupFolderKind folder);
