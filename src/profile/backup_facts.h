// What the tool can tell for certain about a backup copy of the favorites: its size and time, whether it holds the
// same bytes as the favorites or another backup, and whether its clear header is damaged; no counts, titles or dates
// inside, which the browser encrypts. Only what was read is a fact: a file that could not be read says why.
#pragma once

#include "profile/backup_names.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How a backup stands next to the current favorites of its profile.
enum class FavoritesMatch { Same, Different, NoFavorites, Unread };

struct BackupFacts {
    bool listed = true;  // false once the backup has gone from its folder
    std::uint64_t size = 0;
    std::optional<NamedTime> namedTime;  // the time its name tells, if it tells one
    std::uint64_t lastWrite = 0;         // its file's last-write time, told where the name tells none
    std::wstring unreadable;             // why the backup could not be read now; empty when it was
    FavoritesMatch favorites = FavoritesMatch::NoFavorites;
    std::uint64_t favoritesSize = 0;
    std::wstring favoritesUnreadable;  // with FavoritesMatch::Unread: why
    std::vector<std::wstring> sameAs;  // the other listed backups that hold the same bytes, by name
    bool damaged = false;
};
