// Runs one restore or undo and ends, so that the crash test can kill it at any moment of the operation:
//   qb_crash_runner EVENT restore LIST_FOLDER SELECTED_NAME BACKUP_FOLDER_NAME
//   qb_crash_runner EVENT undo PROFILE_FOLDER
// The named event is signalled just before the operation starts. Exit code 0: the operation ended with a
// notice (done, or nothing to undo); 1: with an error message; 2: wrong arguments.
#include "common/unique_handle.h"
#include "restore/restore.h"

#include <windows.h>

#include <string_view>

int wmain(int argc, wchar_t** argv) {
    const UniqueKernelHandle started{argc < 3 ? nullptr : OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1])};
    const std::wstring_view operation = argc < 3 ? L"" : argv[2];
    if (!started || !((operation == L"restore" && argc == 6) || (operation == L"undo" && argc == 4))) return 2;
    SetEvent(started.Get());
    const Notice notice = argc == 6 ? RestoreFavorites(argv[3], argv[4], argv[5]) : UndoRestore(argv[3]);
    return notice.icon == NoticeIcon::Information ? 0 : 1;
}
