#include "filesystem/busy_retry.h"

FileError OpenToRead(const std::wstring& path, UniqueFileHandle& file) {
    return RetryWhileBusy([&] {
        file.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        return ErrorUnless(file.IsValid(), path);
    });
}
