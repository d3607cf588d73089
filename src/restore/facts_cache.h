// Facts about backup copies, worked out when first asked for and remembered per file (its path, size and last-write
// time), so that pointing at an entry again, or restoring it, reads nothing again until the file changes. The
// backups beside one are those a file list shows of its folder, found in one listing with their sizes and times.
#pragma once

#include "common/file_list.h"
#include "restore/backup_facts.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

class FactsCache {
public:
    // The facts about the backup `name` of `folder`, next to the current favorites file `favorites` and the other
    // backups listed in that folder. Nothing when the backup is not there.
    std::optional<BackupFacts> Facts(const std::wstring& folder,
                                     const std::wstring& name,
                                     const std::wstring& favorites);

    // A backup's tip: its name, then what is known of it next to the favorites of `profileFolder`.
    std::wstring Tip(const std::wstring& folder, const std::wstring& name, const std::wstring& profileFolder);

    // Whether the backup `name` of `folder` holds the favorites' very bytes: the sizes first, then the content.
    bool SameAsFavorites(const std::wstring& folder, const std::wstring& name, const std::wstring& favorites);

    // Whether the backup `name` of `folder` is damaged where the profile's format is known: its header is not whole,
    // while that of the favorites or of another backup listed in the folder is. Where no file of the profile has a
    // whole header the browser may have changed its format, and nothing is said.
    bool Damaged(const std::wstring& folder, const std::wstring& name, const std::wstring& favorites);

private:
    // A file by its full path, with the size and time it has now.
    struct Seen {
        std::wstring path;
        std::uint64_t size = 0;
        std::uint64_t lastWrite = 0;
    };
    struct Known {
        std::uint64_t size = 0;
        std::uint64_t lastWrite = 0;
        std::optional<bool> headerWhole;
    };
    struct Compared {
        std::uint64_t lastWriteA = 0, lastWriteB = 0;
        bool same = false;
    };

    static std::optional<Seen> Look(const std::wstring& path);
    static std::vector<Seen> Listing(const std::wstring& folder);
    bool SameBytes(const Seen& a, const Seen& b);
    bool HeaderWhole(const Seen& file);
    bool Damaged(const Seen& backup, const std::optional<Seen>& favorites, const std::vector<Seen>& listed);

    std::map<std::wstring, Known> files_;
    std::map<std::pair<std::wstring, std::wstring>, Compared> compared_;
};
