// Favorites that exist nowhere else are kept as a copy of their own before a restore or an undo replaces them.
#pragma once

#include <windows.h>

#include <string>

// Whether the favorites of `profileFolder` exist elsewhere, byte for byte: as its undo copy or as a listed backup
// copy in its DailyBackup or Backup folder, that is another file than the favorites (not a link to them, say).
bool FavoritesSavedElsewhere(const std::wstring& profileFolder);

struct KeptCopy {
    DWORD error = ERROR_SUCCESS;
    std::wstring name;  // the new copy's file name
};

// Copies the favorites of `profileFolder` into `folder` under a kept copy's name for the current local time, the
// first free one. Never replaces a file.
KeptCopy KeepFavorites(const std::wstring& profileFolder, const std::wstring& folder);
