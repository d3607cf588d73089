// Brief holds on a file (virus scanners, search indexers) are waited out.
#pragma once

#include "filesystem/file_error.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <string>

inline bool IsBusy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Runs `attempt` (which returns a FileError) until it succeeds or fails otherwise than for a hold, with growing
// waits, for about a second.
template <class Attempt>
FileError RetryWhileBusy(Attempt attempt) {
    static constexpr DWORD kWaitsMs[] = {10, 20, 40, 80, 160, 320, 370};
    FileError error = attempt();
    for (const DWORD wait : kWaitsMs) {
        if (!IsBusy(error.code)) break;
        Sleep(wait);
        error = attempt();
    }
    return error;
}

// Opens a file for reading, as every file step does: others may go on reading it, and a brief hold by another
// program is waited out.
FileError OpenToRead(const std::wstring& path, UniqueFileHandle& file);
