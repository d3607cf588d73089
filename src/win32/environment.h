// Environment variables and the user's roaming folder, read anew at every call.
#pragma once

#include <optional>
#include <string>

// An unset variable reads as empty text.
std::wstring EnvironmentVariable(const wchar_t* name);

// The user's roaming application-data folder: APPDATA where it holds an absolute path, otherwise the folder Windows
// knows for it (an unset, empty or relative APPDATA would put every path on the current drive). Nothing where
// neither tells.
std::optional<std::wstring> RoamingAppDataFolder();
