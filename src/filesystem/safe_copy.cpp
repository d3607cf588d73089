#include "filesystem/safe_copy.h"

#include "filesystem/busy_retry.h"
#include "filesystem/linked_files.h"
#include "filesystem/paths.h"
#include "filesystem/temporary_file.h"

#include <memory>

namespace {

constexpr DWORD kCopyChunk = 1 << 20;

FileError CopyContent(HANDLE from, const std::wstring& source, const TemporaryFile& to) {
    const auto buffer = std::make_unique_for_overwrite<char[]>(kCopyChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer.get(), kCopyChunk, &read, nullptr)) return ErrorUnless(FALSE, source);
        if (read == 0) return {};
        // A write may stop short (Wine does so when the disk fills up); writing the rest then fails with the reason
        // the user should read, such as a full disk.
        for (DWORD done = 0; done < read;) {
            DWORD written = 0;
            if (!WriteFile(to.Handle(), buffer.get() + done, read - done, &written, nullptr)) {
                return ErrorUnless(FALSE, to.Path());
            }
            if (written == 0) return {ERROR_WRITE_FAULT, to.Path()};
            done += written;
        }
    }
}

// Everything on the disk, with the source's last-write time, while the copy is still hidden: a run killed during
// that wait leaves only a hidden temporary file, which the next run clears.
FileError FinishCopy(HANDLE from, const std::wstring& source, const TemporaryFile& copy) {
    if (!FlushFileBuffers(copy.Handle())) return ErrorUnless(FALSE, copy.Path());
    FILE_BASIC_INFO basic{};
    FILETIME lastWrite{};
    if (!GetFileTime(from, nullptr, nullptr, &lastWrite)) return ErrorUnless(FALSE, source);
    basic.LastWriteTime.LowPart = lastWrite.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(lastWrite.dwHighDateTime);
    return ErrorUnless(SetFileInformationByHandle(copy.Handle(), FileBasicInfo, &basic, sizeof(basic)), copy.Path());
}

bool IsReadOnlyFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// The copy takes the destination's place and only then gets plain attributes (not hidden, not read-only: the
// browser must be able to save over it). A run killed between the two leaves the whole copy in place, only hidden,
// rather than a visible temporary file that no later run could tell from the user's; the next restore or undo
// makes it plain again.
FileError CopyThroughTemporary(const std::wstring& source, const std::wstring& destination, DWORD moveFlags) {
    UniqueFileHandle in;
    if (FileError error = OpenToRead(source, in)) return error;
    // Windows refuses to replace a read-only file. Wine running as root would not, so the check is made here.
    if (IsReadOnlyFile(destination)) return {ERROR_ACCESS_DENIED, destination};

    TemporaryFile copy{std::wstring(FolderOf(destination))};
    if (copy.Error()) return copy.Error();
    if (FileError error = CopyContent(in.Get(), source, copy)) return error;
    if (FileError error = FinishCopy(in.Get(), source, copy)) return error;
    copy.Close();
    // The source may be the destination's own target (a link replaced by a copy of what it leads to): no handle of
    // this process may hold it while the copy takes its place.
    in.Reset();

    if (FileError error = RetryWhileBusy([&] {
            return ErrorUnless(
                MoveFileExW(copy.Path().c_str(), destination.c_str(), moveFlags | MOVEFILE_WRITE_THROUGH), destination);
        })) {
        return error;
    }
    copy.Keep();
    // The copy is in place whatever this gives: only its being hidden is at stake.
    SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
    return {};
}

FileError ReplaceWithCopy(const std::wstring& source, const std::wstring& destination) {
    std::wstring file;
    if (FileError error = LinkedFile(destination, file)) return error;
    return CopyThroughTemporary(source, file, MOVEFILE_REPLACE_EXISTING);
}

FileError CopyToNewFile(const std::wstring& source, const std::wstring& destination) {
    return CopyThroughTemporary(source, destination, 0);
}
