// From the account address typed in to the account's backup folder, with the refusals on the way.
#pragma once

#include "profile/profile.h"

#include <optional>
#include <string_view>

// The account's profile, after checking, in this order: an address was typed, it is shaped like an e-mail address,
// the user's roaming folder is known, the profile folder exists, and so does the chosen backup folder in it.
Located<Profile> LocateAccount(std::wstring_view address, BackupFolderKind backupFolder);

// Restore and undo act only on the account whose backups the lists show, `listed`: while the address box names
// another (`typed`), what the user is told instead.
std::optional<Notice> OtherAccountRefusal(std::wstring_view typed, std::wstring_view listed);
