#include "profile/backup_folder.h"

#include "messages/texts.h"

std::wstring_view BackupFolderName(BackupFolderKind kind) {
    return kind == BackupFolderKind::DailyBackup ? texts::kDailyBackup : texts::kBackup;
}

BackupFolderKind OtherBackupFolder(BackupFolderKind kind) {
    return kind == BackupFolderKind::DailyBackup ? BackupFolderKind::Backup : BackupFolderKind::DailyBackup;
}
