// From the account address typed in to the account's backup folder, with the refusals on the way.
#pragma once

#include "restore/backup_source.h"

#include <string>
#include <string_view>

// The account's profile folder: the shared profile folder, "\", and the MD5 digest of the address exactly as
// typed (UTF-16LE), so addresses differing only in case name different folders.
std::wstring AccountProfileFolder(std::wstring_view address);

// The account's profile and chosen backup folder, after checking, in this order: an address was typed, it is
// shaped like an e-mail address, its profile folder exists, and so does the chosen backup folder in it.
LocatedSource LocateAccountBackupFolder(std::wstring_view address, BackupFolderKind backupFolder);
