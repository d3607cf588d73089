// Runs one restore or undo, for a test that ends it at a chosen moment as a crash would:
//   qb_crash_runner PARENT_ID READY_EVENT PROFILE_FOLDER BACKUP_NAME   restores the profile's DailyBackup backup
//   qb_crash_runner PARENT_ID READY_EVENT PROFILE_FOLDER               undoes
// It sets the named event as the operation begins, where the test's clock starts. It keeps to one thread: under
// emulation, a process that ends itself from a second thread can hang on a lock that the first one held.
// Exit code: the operation's milliseconds; 2000000 after an error message or wrong arguments.
#include "common/unique_handle.h"
#include "restore/restore.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 && argc != 5) return 2000000;
    const BackupSource source{argv[3], BackupFolderKind::DailyBackup};
    FactsCache facts;
    if (const UniqueKernelHandle ready{OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2])}) SetEvent(ready.Get());
    const ULONGLONG begin = GetTickCount64();
    const Notice notice = argc == 5 ? RestoreFavorites(source, argv[4], facts) : UndoRestore(source);
    return notice.icon == NoticeIcon::Information ? static_cast<int>(GetTickCount64() - begin) : 2000000;
}
