#include "profile/profile_lock.h"

#include "digest/md5.h"
#include "digest/utf16le.h"
#include "filesystem/exact_path.h"
#include "win32/case_fold.h"

std::wstring ProfileLockName(const Profile& profile) {
    std::wstring folder = FinalPathOf(profile.Folder());
    if (folder.empty()) folder = profile.Folder();
    // A path may be longer than a name may be: its digest stands for it.
    const std::string digest = DigestText(Utf16LeBytes(FoldCase(folder)), 32);
    return L"Local\\Quillbarrow-profile-" + std::wstring(digest.begin(), digest.end());
}

std::optional<ProfileLock> ProfileLock::Take(const Profile& profile, DWORD waitMs) {
    UniqueKernelHandle mutex{CreateMutexW(nullptr, FALSE, ProfileLockName(profile).c_str())};
    if (!mutex) return std::nullopt;
    const DWORD waited = WaitForSingleObject(mutex.Get(), waitMs);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return std::nullopt;
    return ProfileLock(std::move(mutex));
}

ProfileLock::~ProfileLock() {
    if (mutex_) ReleaseMutex(mutex_.Get());
}
