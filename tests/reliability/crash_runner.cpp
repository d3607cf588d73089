// Runs one restore or undo and kills itself, as a crash would, KILL_AFTER_MS into the operation (never when
// negative) unless the operation has ended:
//   qb_crash_runner KILL_AFTER_MS PROFILE_FOLDER BACKUP_NAME    restores the backup of the profile's DailyBackup
//   qb_crash_runner KILL_AFTER_MS PROFILE_FOLDER                undoes
// Exit code: the operation's milliseconds; 1000000 when killed; 2000000 after an error message or wrong arguments.
#include "restore/restore.h"

#include <windows.h>

#include <thread>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) return 2000000;
    const ULONGLONG begin = GetTickCount64();
    std::thread([killAfterMs = _wtoi(argv[1])] {
        Sleep(killAfterMs);  // -1: INFINITE
        TerminateProcess(GetCurrentProcess(), 1000000);
    }).detach();
    const BackupSource source{argv[2], BackupFolderKind::DailyBackup};
    FactsCache facts;
    const Notice notice = argc == 4 ? RestoreFavorites(source, argv[3], facts) : UndoRestore(source);
    return notice.icon == NoticeIcon::Information ? static_cast<int>(GetTickCount64() - begin) : 2000000;
}
