// Where a restore acts: a profile folder and which of its two backup folders the file list shows. The window that
// knows it builds it, the file list shows its backup folder and a restore writes into its profile, so the list
// and the restore cannot disagree.
#pragma once

#include "common/notice.h"

#include <optional>
#include <string>
#include <string_view>

// The browser's two backup folders, in the chooser's order.
enum class BackupFolderKind { DailyBackup, Backup };

struct BackupSource {
    std::wstring profileFolder;  // without a trailing backslash
    BackupFolderKind backupFolder = BackupFolderKind::DailyBackup;

    bool operator==(const BackupSource&) const = default;
};

// "DailyBackup" or "Backup".
std::wstring_view BackupFolderName(BackupFolderKind kind);
BackupFolderKind OtherBackupFolder(BackupFolderKind kind);
// The profile folder, "\" and the backup folder's name.
std::wstring BackupFolderPath(std::wstring_view profileFolder, BackupFolderKind kind);
std::wstring BackupFolderPath(const BackupSource& source);

// A backup source that a window looked for, or what the user is told instead.
struct LocatedSource {
    BackupSource source;
    std::optional<Notice> refusal;
};
