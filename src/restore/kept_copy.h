// Favorites that exist nowhere else are kept as a backup copy before a restore replaces them.
#pragma once

#include <windows.h>

#include <string>

struct KeptCopy {
    DWORD error = ERROR_SUCCESS;
    std::wstring name;  // the new copy's file name, empty when none was needed
};

// When the favorites of `profileFolder` are byte for byte neither its undo copy nor any listed backup copy in
// its DailyBackup or Backup folder, copies them into `backupFolder` under the browser's name for the current
// local hour, or the first free numbered name after it. Never replaces a file.
KeptCopy KeepUnsavedFavorites(const std::wstring& profileFolder, const std::wstring& backupFolder);
