// The time a backup's tip tells, in the user's locale.
#pragma once

#include "profile/backup_facts.h"

#include <string>

// "<long date> <hour>时" for a name that tells the hour, "<long date> <time>" for a kept copy's name, which tells the
// second, and the same for the file's own last-write time where the name tells none. Empty when it cannot be told.
std::wstring SavedAtText(const BackupFacts& facts);
