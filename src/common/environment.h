// Environment variables and the folders composed from them, read anew at every call.
#pragma once

#include <string>

// An unset variable reads as empty text.
std::wstring EnvironmentVariable(const wchar_t* name);

// The user's roaming application-data folder: APPDATA where it holds an absolute path, otherwise the folder
// Windows knows for it (an unset, empty or relative APPDATA would put every path on the current drive).
std::wstring RoamingAppDataFolder();

// The shared profile folder: the roaming application-data folder followed by "\sogouexplorer", without a
// trailing backslash.
std::wstring SharedProfileFolder();
