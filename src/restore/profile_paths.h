// Path rules of restore and undo: where a profile's favorites and undo copy lie.
#pragma once

#include <string>
#include <string_view>

// The list folder with every occurrence of "\" + backup-folder name removed (exact case, left to right).
std::wstring ProfileFolderFromList(std::wstring_view listFolder, std::wstring_view backupFolderName);

// folder + "\" + name, with no backslash added or removed anywhere else.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

std::wstring FavoritesPath(std::wstring_view profileFolder);
std::wstring UndoCopyPath(std::wstring_view profileFolder);
