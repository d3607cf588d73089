#include "restore/profile_paths.h"

#include "common/texts.h"

std::wstring ProfileFolderFromList(std::wstring_view listFolder, std::wstring_view backupFolderName) {
    const std::wstring needle = L"\\" + std::wstring(backupFolderName);
    std::wstring profile;
    profile.reserve(listFolder.size());
    std::size_t from = 0;
    for (std::size_t at = listFolder.find(needle); at != std::wstring_view::npos; at = listFolder.find(needle, from)) {
        profile.append(listFolder.substr(from, at - from));
        from = at + needle.size();
    }
    profile.append(listFolder.substr(from));
    return profile;
}

std::wstring FavoritesPath(std::wstring_view profileFolder) { return JoinPath(profileFolder, texts::kFavoritesFile); }

std::wstring UndoCopyPath(std::wstring_view profileFolder) { return JoinPath(profileFolder, texts::kUndoCopyFile); }
