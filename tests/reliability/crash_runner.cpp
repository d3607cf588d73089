// Runs one restore or undo, for a test that ends it at a chosen moment as a crash would:
//   qb_crash_runner PARENT_ID PROFILE_FOLDER BACKUP_NAME READY_EVENT   restores the profile's DailyBackup backup
//   qb_crash_runner PARENT_ID PROFILE_FOLDER READY_EVENT               undoes
//   qb_crash_runner PARENT_ID PROFILE_FOLDER --lock READY_EVENT        takes the profile's lock and keeps it
// It sets the named event as the operation begins (once it has the lock, with --lock), where the test's clock
// starts. It keeps to one thread: under emulation, a process that ends itself from a second thread can hang on a lock
// that the first one held. Exit code: the operation's milliseconds; 2000000 after an error message or wrong arguments.
#include "profile/profile_lock.h"
#include "profile/restore.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 && argc != 5) return 2000000;
    Profile profile(argv[2]);
    profile.SetWritesConfined(false);
    const auto ready = [&] {
        if (const UniqueKernelHandle event{OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[argc - 1])})
            SetEvent(event.Get());
    };
    if (argc == 5 && std::wstring(argv[3]) == L"--lock") {
        const auto lock = ProfileLock::Take(profile, INFINITE);
        ready();
        const UniqueKernelHandle parent{OpenProcess(SYNCHRONIZE, FALSE, wcstoul(argv[1], nullptr, 10))};
        WaitForSingleObject(parent.Get(), INFINITE);
        return 0;
    }
    ready();
    const ULONGLONG begin = GetTickCount64();
    const Notice notice = argc == 5 ? RestoreFavorites(profile, BackupFolderKind::DailyBackup, argv[3])
                                    : UndoRestore(profile, BackupFolderKind::DailyBackup);
    return notice.icon == NoticeIcon::Information ? static_cast<int>(GetTickCount64() - begin) : 2000000;
}
