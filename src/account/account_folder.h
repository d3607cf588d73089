// From the account address typed in to the account's backup folder, with the refusals on the way.
#pragma once

#include "common/notice.h"

#include <optional>
#include <string>
#include <string_view>

// The account's profile folder: the shared profile folder, "\", and the MD5 digest of the address exactly as
// typed (UTF-16LE), so addresses differing only in case name different folders.
std::wstring AccountProfileFolder(std::wstring_view address);

struct AccountBackupFolder {
    std::wstring folder;            // the backup folder, when the search may go on
    std::optional<Notice> refusal;  // what the user is told instead
};

// Checks, in this order: an address was typed, it is shaped like an e-mail address, its profile folder
// exists, and so does the chosen backup folder in it.
AccountBackupFolder LocateAccountBackupFolder(std::wstring_view address, std::wstring_view backupFolderName);
