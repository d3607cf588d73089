// Whether a process runs whose executable path contains a name.
#pragma once

#include <string_view>

// True when some running process of this user's session has a full executable path that contains `name`,
// compared without regard to case. Every such process counts whatever its bitness or elevation: where its path
// cannot be read, its executable name from the process list is tested instead.
bool IsProcessRunning(std::wstring_view name);

// Case-insensitive substring test, independent of the user's locale.
bool ContainsIgnoringCase(std::wstring_view text, std::wstring_view part);
