#include "filesystem/temporary_file.h"

#include "filesystem/paths.h"
#include "filesystem/temporary_names.h"

std::wstring TemporaryPath(const std::wstring& folder, unsigned attempt) {
    return JoinPath(folder, TemporaryName(GetCurrentProcessId(), GetTickCount64(), attempt));
}

TemporaryFile::TemporaryFile(const std::wstring& folder) {
    for (unsigned attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        path_ = TemporaryPath(folder, attempt);
        file_.Reset(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr));
        error_ = ErrorUnless(file_.IsValid(), path_);
        if (!IsTaken(error_.code)) break;
    }
}

TemporaryFile::~TemporaryFile() {
    file_.Reset();
    if (!error_ && !kept_) DeleteFileW(path_.c_str());
}
