// Path rules of restore and undo: where a profile's favorites and undo copy lie.
#pragma once

#include "common/paths.h"

#include <string>
#include <string_view>

// The list folder with every occurrence of "\" + backup-folder name removed (exact case, left to right).
std::wstring ProfileFolderFromList(std::wstring_view listFolder, std::wstring_view backupFolderName);

std::wstring FavoritesPath(std::wstring_view profileFolder);
std::wstring UndoCopyPath(std::wstring_view profileFolder);
