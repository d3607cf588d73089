// Runs one restore or undo and ends, so that the crash test can kill it at any moment of the operation:
//   qb_crash_runner EVENT restore LIST_FOLDER SELECTED_NAME BACKUP_FOLDER_NAME
//   qb_crash_runner EVENT undo PROFILE_FOLDER
// The named event is signalled just before the operation starts. Exit code 0: the operation ended with a
// notice (done, or nothing to undo); 1: with an error message; 2: wrong arguments.
#include "common/unique_handle.h"
#include "restore/restore.h"

#include <windows.h>

#include <string>

namespace {

int ExitCodeFor(const Notice& notice) {
    return notice.icon == NoticeIcon::Information ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const UniqueKernelHandle started{OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1])};
    if (!started) return 2;
    const std::wstring operation = argv[2];
    if (operation == L"restore" && argc == 6) {
        SetEvent(started.Get());
        return ExitCodeFor(RestoreFavorites(argv[3], argv[4], argv[5]));
    }
    if (operation == L"undo" && argc == 4) {
        SetEvent(started.Get());
        return ExitCodeFor(UndoRestore(argv[3]));
    }
    return 2;
}
