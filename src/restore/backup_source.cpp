#include "restore/backup_source.h"

#include "common/paths.h"
#include "common/texts.h"

std::wstring_view BackupFolderName(BackupFolderKind kind) {
    return kind == BackupFolderKind::DailyBackup ? texts::kDailyBackup : texts::kBackup;
}

BackupFolderKind OtherBackupFolder(BackupFolderKind kind) {
    return kind == BackupFolderKind::DailyBackup ? BackupFolderKind::Backup : BackupFolderKind::DailyBackup;
}

std::wstring BackupFolderPath(std::wstring_view profileFolder, BackupFolderKind kind) {
    return JoinPath(profileFolder, BackupFolderName(kind));
}

std::wstring BackupFolderPath(const BackupSource& source) {
    return BackupFolderPath(source.profileFolder, source.backupFolder);
}
