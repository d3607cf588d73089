#include "filesystem/leftover_sweep.h"

#include "filesystem/directory_listing.h"
#include "filesystem/linked_files.h"
#include "filesystem/paths.h"
#include "filesystem/temporary_names.h"

namespace {

// Whether the process that made a temporary file may still be about to rename it: another copy of the tool closes
// its copy before the rename, so an open-file check cannot tell. The name carries the maker's process id. This
// process has no copy in progress while it cleans up.
bool MakerMayStillUse(DWORD processId) {
    if (processId == 0 || processId == GetCurrentProcessId()) return false;
    const UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    // A process of another user or of higher rights may not be opened, but it runs.
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD exitCode = 0;
    return !GetExitCodeProcess(process.Get(), &exitCode) || exitCode == STILL_ACTIVE;
}

}  // namespace

void RemoveLeftoverTemporaries(const std::wstring& folder) {
    ForEachEntry(folder, kTemporaryPattern, [&](std::wstring_view name, const WIN32_FIND_DATAW& found) {
        constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        // Windows makes a temporary file hidden as it creates it; Wine hides it just after, so a run killed in
        // between leaves it visible, and still empty. An empty file holds nothing to lose.
        const bool hiddenOrEmpty =
            (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || (found.nFileSizeHigh == 0 && found.nFileSizeLow == 0);
        if ((found.dwFileAttributes & kNotPlain) || !hiddenOrEmpty) return;
        const auto maker = TemporaryMakerId(name);
        if (!maker || MakerMayStillUse(*maker)) return;
        // The tool makes no links: one named so is the user's, and deleting it by name would reach its target.
        const std::wstring path = JoinPath(folder, name);
        if (!IsLink(path)) DeleteFileW(path.c_str());
    });
}
