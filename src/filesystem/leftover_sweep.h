// Clearing the temporary files that an interrupted copy left behind.
#pragma once

#include <string>

// Removes the temporary files that an interrupted copy left in `folder`: hidden (or empty) files named exactly as
// the tool names them, whose process has ended. Those of another copy of the tool that still runs stay, and so do
// files still in use and every file of the user's, whatever its name.
void RemoveLeftoverTemporaries(const std::wstring& folder);
