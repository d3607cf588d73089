// One restore or undo at a time per profile, across every copy of the tool: without it, one copy could put the
// undo copy back and delete it while another's copy of a backup was still on its way over the favorites.
#pragma once

#include "profile/profile.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <optional>

// A named mutex over the profile folder's final path (links resolved), case-folded, so that every way of naming the
// folder takes the same lock. Held from the first check of an operation to its last step.
class ProfileLock {
public:
    // Takes the lock, waiting up to `waitMs` for another copy of the tool to let go; nothing when it does not. A lock
    // that a killed copy left behind is taken over: its file steps are whole anyway.
    static std::optional<ProfileLock> Take(const Profile& profile, DWORD waitMs);

    ProfileLock(ProfileLock&&) = default;
    ProfileLock& operator=(ProfileLock&&) = delete;
    ~ProfileLock();

private:
    explicit ProfileLock(UniqueKernelHandle mutex) : mutex_(std::move(mutex)) {}
    UniqueKernelHandle mutex_;
};

// The lock's name for a profile: the same for every path that leads to its folder.
std::wstring ProfileLockName(const Profile& profile);
