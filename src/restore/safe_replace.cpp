#include "restore/safe_replace.h"

#include "common/unique_handle.h"

#include <memory>

namespace {

constexpr wchar_t kTemporaryPrefix[] = L"~quillbarrow-";
constexpr wchar_t kTemporarySuffix[] = L".tmp";
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

// A hidden file in a folder that is deleted again unless it is kept.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder) {
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            path_ = folder + L'\\' + kTemporaryPrefix + std::to_wstring(GetCurrentProcessId()) + L'-' +
                    std::to_wstring(GetTickCount64()) + L'-' + std::to_wstring(attempt) + kTemporarySuffix;
            file_.Reset(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr));
            error_ = ErrorUnless(file_.IsValid());
            if (error_ != ERROR_FILE_EXISTS && error_ != ERROR_ALREADY_EXISTS) break;
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
        DWORD written = 0;
        if (!WriteFile(to, buffer.get(), read, &written, nullptr)) return GetLastError();
        if (written != read) return ERROR_WRITE_FAULT;
    }
}

// Plain attributes (not hidden, not read-only: the browser must be able to save over the file) and the
// source's last-write time, then everything on the disk before the rename makes it visible.
DWORD FinishCopy(HANDLE source, HANDLE copy) {
    FILETIME lastWrite{};
    if (!GetFileTime(source, nullptr, nullptr, &lastWrite)) return GetLastError();
    FILE_BASIC_INFO basic{};
    basic.LastWriteTime.LowPart = lastWrite.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(lastWrite.dwHighDateTime);
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(copy, FileBasicInfo, &basic, sizeof(basic))) return GetLastError();
    return ErrorUnless(FlushFileBuffers(copy));
}

bool IsReadOnlyFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

DWORD ReplaceWithCopy(const std::wstring& source, const std::wstring& destination) {
    UniqueFileHandle in;
    DWORD error = RetryWhileBusy([&] {
        in.Reset(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        return ErrorUnless(in.IsValid());
    });
    if (error != ERROR_SUCCESS) return error;

    // Windows refuses to replace a read-only file. Wine running as root would not, so the check is made here.
    if (IsReadOnlyFile(destination)) return ERROR_ACCESS_DENIED;

    TemporaryFile copy(FolderOf(destination));
    if (copy.Error() != ERROR_SUCCESS) return copy.Error();
    if ((error = CopyContent(in.Get(), copy.Handle())) != ERROR_SUCCESS) return error;
    if ((error = FinishCopy(in.Get(), copy.Handle())) != ERROR_SUCCESS) return error;
    copy.Close();

    error = RetryWhileBusy([&] {
        return ErrorUnless(MoveFileExW(copy.Path().c_str(), destination.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    });
    if (error == ERROR_SUCCESS) copy.Keep();
    return error;
}

DWORD DeleteFileForced(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return RetryWhileBusy([&] { return ErrorUnless(DeleteFileW(path.c_str())); });
}

void RemoveLeftoverTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + L'\\' + kTemporaryPrefix + L'*' + kTemporarySuffix;
    const UniqueFindHandle search{
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0)};
    if (!search) return;
    do {
        // A file that another copy of the tool is writing is open without delete sharing and stays.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L'\\' + found.cFileName).c_str());
    } while (FindNextFileW(search.Get(), &found));
}
