// The browser's two backup folders of a profile.
#pragma once

#include <string_view>

// In the chooser's order.
enum class BackupFolderKind { DailyBackup, Backup };
inline constexpr BackupFolderKind kBackupFolderKinds[] = {BackupFolderKind::DailyBackup, BackupFolderKind::Backup};

// "DailyBackup" or "Backup".
std::wstring_view BackupFolderName(BackupFolderKind kind);
BackupFolderKind OtherBackupFolder(BackupFolderKind kind);
