#include "profile/facts_reader.h"

#include "filesystem/directory_listing.h"
#include "filesystem/paths.h"
#include "messages/system_error.h"
#include "messages/texts.h"
#include "profile/backup_format.h"

#include <algorithm>
#include <vector>

namespace {

// Why a file could not be read, as a tip says it.
std::wstring Unreadable(const FileError& error) {
    if (IsHeldElsewhere(error)) return texts::kUnreadableInUse;
    if (error.code == ERROR_ACCESS_DENIED) return texts::kUnreadableDenied;
    if (error.code == ERROR_FILE_NOT_FOUND || error.code == ERROR_PATH_NOT_FOUND) return texts::kUnreadableGone;
    return SystemErrorText(error.code);
}

}  // namespace

const FileContent* FileReads::Content(const std::wstring& path,
                                      const FileVersion& version,
                                      bool whole,
                                      FileError& error,
                                      const std::atomic<bool>* stop) {
    if (const auto kept = files_.find(path);
        kept != files_.end() && kept->second.content.version == version && (kept->second.content.digested || !whole)) {
        return &kept->second.content;
    }
    FileContent content;
    if ((error = ReadContent(path, whole, content, stop))) {
        files_.erase(path);
        return nullptr;
    }
    Kept& kept = files_[path];
    kept = {std::move(content), {}, {}};
    return &kept.content;
}

bool FileReads::Confirmed(const std::wstring& path, Kept& kept) {
    const auto current = [&](const std::wstring& other, const FileVersion& version) {
        const auto found = files_.find(other);
        return found != files_.end() && found->second.content.version == version;
    };
    if (!kept.representative.empty() && current(kept.representative, kept.representativeVersion)) return true;
    std::wstring& representative = representatives_[{kept.content.version.size, kept.content.digest}];
    const auto standing = files_.find(representative);
    // The first file of this digest stands for it, and so does one that comes after a representative changed.
    if (standing == files_.end() || standing->second.representative != representative) {
        representative = path;
        kept.representative = path;
        kept.representativeVersion = kept.content.version;
        return true;
    }
    bool same = false;
    if (CompareBytes(path, representative, same) || !same) return false;
    kept.representative = representative;
    kept.representativeVersion = standing->second.content.version;
    return true;
}

bool FileReads::SameBytes(const std::wstring& a, const std::wstring& b) {
    const auto foundA = files_.find(a), foundB = files_.find(b);
    if (foundA == files_.end() || foundB == files_.end()) return false;
    const FileContent &contentA = foundA->second.content, &contentB = foundB->second.content;
    if (!contentA.digested || !contentB.digested || contentA.version.size != contentB.version.size ||
        contentA.digest != contentB.digest) {
        return false;
    }
    return Confirmed(a, foundA->second) && Confirmed(b, foundB->second) &&
           foundA->second.representative == foundB->second.representative;
}

BackupFacts WorkOutFacts(const FactsRequest& request, FileReads& reads, const std::atomic<bool>* stop) {
    BackupFacts facts;
    facts.namedTime = TimeFromName(request.name);
    const std::vector<ListedFile> listed = ListableFiles(request.folder, texts::kBackupPattern);
    const auto backup =
        std::find_if(listed.begin(), listed.end(), [&](const ListedFile& file) { return file.name == request.name; });
    if (backup == listed.end()) {
        facts.listed = false;
        facts.unreadable = texts::kUnreadableGone;
        return facts;
    }
    facts.size = backup->version.size;
    facts.lastWrite = backup->version.lastWrite;
    const std::wstring backupPath = JoinPath(request.folder, backup->name);
    const std::wstring favoritesPath = request.profile.Favorites();
    const auto favorites = FileVersionAt(favoritesPath);
    const bool favoritesSameSize = favorites && favorites->size == facts.size;
    const bool peersSameSize = std::any_of(listed.begin(), listed.end(), [&](const ListedFile& file) {
        return &file != &*backup && file.version.size == facts.size;
    });

    FileError error;
    const FileContent* content =
        reads.Content(backupPath, backup->version, favoritesSameSize || peersSameSize, error, stop);
    if (!content) {
        facts.unreadable = Unreadable(error);
        return facts;
    }
    const bool backupWhole = HeaderIsWhole({content->header.data(), content->headerLength}, facts.size);

    std::optional<bool> favoritesWhole;
    if (favorites) {
        facts.favorites = FavoritesMatch::Different;
        facts.favoritesSize = favorites->size;
        if (favoritesSameSize || !backupWhole) {
            if (const FileContent* current = reads.Content(favoritesPath, *favorites, favoritesSameSize, error, stop)) {
                favoritesWhole = HeaderIsWhole({current->header.data(), current->headerLength}, favorites->size);
                if (favoritesSameSize && reads.SameBytes(backupPath, favoritesPath))
                    facts.favorites = FavoritesMatch::Same;
            } else {
                facts.favorites = FavoritesMatch::Unread;
                facts.favoritesUnreadable = Unreadable(error);
            }
        }
    }

    std::size_t listedRead = 0, listedWhole = 0;
    for (const ListedFile& other : listed) {
        const std::wstring path = JoinPath(request.folder, other.name);
        if (&other != &*backup && other.version.size == facts.size &&
            reads.Content(path, other.version, true, error, stop) && reads.SameBytes(backupPath, path)) {
            facts.sameAs.push_back(other.name);
        }
        // Without the favorites' header, the format is the one most listed backups share.
        if (!backupWhole && !favoritesWhole) {
            if (const FileContent* read = reads.Content(path, other.version, false, error, stop)) {
                ++listedRead;
                listedWhole += HeaderIsWhole({read->header.data(), read->headerLength}, other.version.size);
            }
        }
    }
    facts.damaged = IsDamaged(backupWhole, favoritesWhole, listedWhole, listedRead);
    return facts;
}
