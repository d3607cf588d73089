#include "profile/profile.h"

#include "digest/md5.h"
#include "digest/utf16le.h"
#include "filesystem/exact_path.h"
#include "filesystem/paths.h"
#include "messages/texts.h"
#include "win32/elevation.h"
#include "win32/environment.h"

Located<Profile> Profile::Shared() {
    const auto roaming = RoamingAppDataFolder();
    if (!roaming) return {std::nullopt, ErrorNotice(texts::kNoRoamingFolder)};
    return {Profile(*roaming + texts::kSharedProfileFolder), {}};
}

Located<Profile> Profile::OfAccount(std::wstring_view address) {
    Located<Profile> shared = Shared();
    if (!shared.found) return shared;
    const std::string digest = DigestText(Utf16LeBytes(address), 32);
    return {Profile(JoinPath(shared.found->Folder(), std::wstring(digest.begin(), digest.end()))), {}};
}

Profile::Profile(std::wstring_view folder) : folder_(ExactFullPath(folder)), writesConfined_(IsElevatedProcess()) {}

std::wstring Profile::Favorites() const {
    return JoinPath(folder_, texts::kFavoritesFile);
}

std::wstring Profile::UndoCopy() const {
    return JoinPath(folder_, texts::kUndoCopyFile);
}

std::wstring Profile::BackupFolder(BackupFolderKind kind) const {
    return JoinPath(folder_, BackupFolderName(kind));
}

std::wstring BackupCopy::Path() const {
    return JoinPath(profile.BackupFolder(folder), name);
}
