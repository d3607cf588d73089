// A browser profile: the shared one or an account's. Its folder's exact path is worked out once, and every file the
// tool reads or writes of the profile is named from here.
#pragma once

#include "profile/backup_folder.h"
#include "profile/located.h"

#include <string>
#include <string_view>

class Profile {
public:
    // The shared profile, "<the user's roaming folder>\sogouexplorer"; refused where that folder cannot be known.
    static Located<Profile> Shared();
    // An account's profile: the shared profile's folder, "\" and the MD5 digest of the address exactly as typed
    // (UTF-16LE), so addresses differing only in case name different folders.
    static Located<Profile> OfAccount(std::wstring_view address);

    explicit Profile(std::wstring_view folder);

    // In the "\\?\" form, so that names appended to it are taken exactly as they are.
    const std::wstring& Folder() const { return folder_; }
    std::wstring Favorites() const;
    std::wstring UndoCopy() const;
    std::wstring BackupFolder(BackupFolderKind kind) const;

    // Run as administrator (as the tool itself advises where the list-view library cannot be installed), the tool
    // writes nothing through a link or junction that leads out of the profile folder: whoever could make one there
    // could otherwise aim those writes anywhere. Set from the process's rights; tests set it themselves.
    bool WritesConfined() const { return writesConfined_; }
    void SetWritesConfined(bool confined) { writesConfined_ = confined; }

    bool operator==(const Profile& other) const { return folder_ == other.folder_; }

private:
    std::wstring folder_;
    bool writesConfined_;
};

// A backup copy of a profile: in which backup folder, by its exact name.
struct BackupCopy {
    Profile profile;
    BackupFolderKind folder;
    std::wstring name;

    std::wstring Path() const;
};
