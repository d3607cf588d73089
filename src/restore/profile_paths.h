// Path rules of restore and undo: which profile a backup folder belongs to, where a profile's favorites and
// undo copy lie, and how a copy of the favorites is named.
#pragma once

#include "common/paths.h"

#include <optional>
#include <string>
#include <string_view>

// The profile folder of a backup folder: the parent of a list folder whose last component is "DailyBackup" or
// "Backup" (without regard to case, as file names compare). Nothing for any other folder.
std::optional<std::wstring> ProfileFolderFromList(std::wstring_view listFolder);

std::wstring FavoritesPath(std::wstring_view profileFolder);
std::wstring UndoCopyPath(std::wstring_view profileFolder);

// A copy of the favorites named as the browser names its own: "Favorite2.dat.YYYY.MM.DD.HH" for that local
// hour, and, where `number` is not 0, ".<number>" after it for the next free name.
std::wstring BackupCopyName(int year, int month, int day, int hour, unsigned number = 0);
