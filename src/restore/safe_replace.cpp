#include "restore/safe_replace.h"

#include "common/paths.h"
#include "common/unique_handle.h"
#include "restore/file_names.h"
#include "restore/linked_files.h"

#include <memory>

namespace {

constexpr DWORD kCopyChunk = 1 << 20;

bool IsBusy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Virus scanners and search indexers hold files for moments: a sharing or access failure is tried again,
// with growing waits, for about a second before it counts.
template <class Attempt>
DWORD RetryWhileBusy(Attempt attempt) {
    static constexpr DWORD kWaitsMs[] = {10, 20, 40, 80, 160, 320, 370};
    DWORD error = attempt();
    for (const DWORD wait : kWaitsMs) {
        if (!IsBusy(error)) break;
        Sleep(wait);
        error = attempt();
    }
    return error;
}

DWORD ErrorUnless(BOOL succeeded) { return succeeded ? ERROR_SUCCESS : GetLastError(); }

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// A name for a temporary file in `folder`; another attempt gives another name.
std::wstring TemporaryPath(const std::wstring& folder, unsigned attempt) {
    return JoinPath(folder, TemporaryName(GetCurrentProcessId(), GetTickCount64(), attempt));
}

constexpr unsigned kTemporaryAttempts = 100;

// Whether the process that made a temporary file may still be about to rename it: another copy of the tool
// closes its copy before the rename, so an open-file check cannot tell. The name carries the maker's process
// id. This process has no copy in progress while it cleans up.
bool MakerMayStillUse(DWORD processId) {
    if (processId == 0 || processId == GetCurrentProcessId()) return false;
    const UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    // A process of another user or of higher rights may not be opened, but it runs.
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD exitCode = 0;
    return !GetExitCodeProcess(process.Get(), &exitCode) || exitCode == STILL_ACTIVE;
}

bool IsTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// A hidden file in a folder that is deleted again unless it is kept. Only the tool's own temporary files are
// hidden and named so, which is how a later run tells them from the user's files.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder) {
        for (unsigned attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
            path_ = TemporaryPath(folder, attempt);
            file_.Reset(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr));
            error_ = ErrorUnless(file_.IsValid());
            if (!IsTaken(error_)) break;
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        file_.Reset();
        if (error_ == ERROR_SUCCESS && !kept_) DeleteFileW(path_.c_str());
    }

    DWORD Error() const { return error_; }
    HANDLE Handle() const { return file_.Get(); }
    const std::wstring& Path() const { return path_; }
    void Close() { file_.Reset(); }
    void Keep() { kept_ = true; }

private:
    std::wstring path_;
    UniqueFileHandle file_;
    DWORD error_ = ERROR_SUCCESS;
    bool kept_ = false;
};

DWORD CopyContent(HANDLE from, HANDLE to) {
    const auto buffer = std::make_unique<char[]>(kCopyChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer.get(), kCopyChunk, &read, nullptr)) return GetLastError();
        if (read == 0) return ERROR_SUCCESS;
        // A write may stop short (Wine does so when the disk fills up); writing the rest then fails with the
        // reason the user should read, such as a full disk.
        for (DWORD done = 0; done < read;) {
            DWORD written = 0;
            if (!WriteFile(to, buffer.get() + done, read - done, &written, nullptr)) return GetLastError();
            if (written == 0) return ERROR_WRITE_FAULT;
            done += written;
        }
    }
}

// Everything on the disk, with the source's last-write time, while the copy is still hidden: a run killed
// during that wait leaves only a hidden temporary file, which the next run clears.
DWORD FinishCopy(HANDLE source, HANDLE copy) {
    if (!FlushFileBuffers(copy)) return GetLastError();
    FILETIME lastWrite{};
    if (!GetFileTime(source, nullptr, nullptr, &lastWrite)) return GetLastError();
    FILE_BASIC_INFO basic{};
    basic.LastWriteTime.LowPart = lastWrite.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(lastWrite.dwHighDateTime);
    return ErrorUnless(SetFileInformationByHandle(copy, FileBasicInfo, &basic, sizeof(basic)));
}

bool IsReadOnlyFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Copies `source` to a hidden temporary file beside `destination`, then renames it to `destination` with the
// given MoveFileEx flags, and only then gives it plain attributes (not hidden, not read-only: the browser must be
// able to save over it). A run killed between the two leaves the whole copy in place, only hidden, rather than
// a visible temporary file that no later run could tell from the user's.
DWORD CopyThroughTemporary(const std::wstring& source, const std::wstring& destination, DWORD moveFlags) {
    UniqueFileHandle in;
    DWORD error = OpenToRead(source, in);
    if (error != ERROR_SUCCESS) return error;

    // Windows refuses to replace a read-only file. Wine running as root would not, so the check is made here.
    if (IsReadOnlyFile(destination)) return ERROR_ACCESS_DENIED;

    TemporaryFile copy(FolderOf(destination));
    if (copy.Error() != ERROR_SUCCESS) return copy.Error();
    if ((error = CopyContent(in.Get(), copy.Handle())) != ERROR_SUCCESS) return error;
    if ((error = FinishCopy(in.Get(), copy.Handle())) != ERROR_SUCCESS) return error;
    copy.Close();
    // The source may be the destination's own target (a link replaced by a copy of what it leads to): no handle
    // of this process may hold it while the copy takes its place.
    in.Reset();

    error = RetryWhileBusy([&] {
        return ErrorUnless(MoveFileExW(copy.Path().c_str(), destination.c_str(), moveFlags | MOVEFILE_WRITE_THROUGH));
    });
    if (error != ERROR_SUCCESS) return error;
    copy.Keep();
    // The copy is in place whatever this gives: only its being hidden is at stake.
    SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ERROR_SUCCESS;
}

}  // namespace

DWORD OpenToRead(const std::wstring& path, UniqueFileHandle& file) {
    return RetryWhileBusy([&] {
        file.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        return ErrorUnless(file.IsValid());
    });
}

DWORD ReplaceWithCopy(const std::wstring& source, const std::wstring& destination) {
    std::wstring file;
    if (const DWORD error = LinkedFile(destination, file)) return error;
    return CopyThroughTemporary(source, file, MOVEFILE_REPLACE_EXISTING);
}

DWORD CopyToNewFile(const std::wstring& source, const std::wstring& destination) {
    return CopyThroughTemporary(source, destination, 0);
}

DWORD DeleteFileForced(const std::wstring& path) {
    // A link goes, never the file it leads to. Wine renames, hides and deletes that file for any of them by name,
    // so the link is first replaced, in one rename, by a plain copy of what it leads to, which then goes as any
    // file does; a run killed meanwhile leaves that same content under the link's name.
    if (IsLink(path)) {
        if (const DWORD error = CopyThroughTemporary(path, path, MOVEFILE_REPLACE_EXISTING)) return error;
    }
    // A file that another process holds open with delete sharing is only marked for deletion and keeps its
    // name until that process lets go, so the next restore would take it for an undo copy still there.
    // Renamed first to a hidden temporary name, the file frees its name at once; if the deletion must wait,
    // the temporary is what waits, out of sight, and the next operation clears it if it is still there.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    DWORD error = ERROR_FILE_EXISTS;
    std::wstring aside;
    for (unsigned attempt = 0; attempt < kTemporaryAttempts && IsTaken(error); ++attempt) {
        aside = TemporaryPath(FolderOf(path), attempt);
        error = RetryWhileBusy([&] { return ErrorUnless(MoveFileExW(path.c_str(), aside.c_str(), 0)); });
    }
    if (error != ERROR_SUCCESS) {
        // Left in place, the file keeps its attributes, only no longer read-only.
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        }
        return error;
    }
    DeleteFileW(aside.c_str());
    return ERROR_SUCCESS;
}

void RemoveLeftoverTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search{FindFirstFileW(JoinPath(folder, L"~quillbarrow-*.tmp").c_str(), &found)};
    if (!search) return;
    do {
        constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        // Windows makes a temporary file hidden as it creates it; Wine hides it just after, so a run killed in
        // between leaves it visible, and still empty. An empty file holds nothing to lose.
        const bool hiddenOrEmpty = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ||
                                   (found.nFileSizeHigh == 0 && found.nFileSizeLow == 0);
        if ((found.dwFileAttributes & kNotPlain) || !hiddenOrEmpty) continue;
        const auto maker = TemporaryMakerId(found.cFileName);
        if (!maker || MakerMayStillUse(*maker)) continue;
        // The tool makes no links: one named so is the user's, and deleting it by name would reach its target.
        const std::wstring path = JoinPath(folder, found.cFileName);
        if (!IsLink(path)) DeleteFileW(path.c_str());
    } while (FindNextFileW(search.Get(), &found));
}
