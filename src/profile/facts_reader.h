// Working out the facts of a backup from the files themselves, each file read once for all the comparisons it takes
// part in, until it changes.
#pragma once

#include "filesystem/file_content.h"
#include "profile/backup_facts.h"
#include "profile/profile.h"

#include <atomic>
#include <map>
#include <optional>
#include <string>

// The facts of one backup: its profile, the folder it lies in (a backup folder, or one below it) and its name.
struct FactsRequest {
    Profile profile;
    std::wstring folder;
    std::wstring name;

    bool operator==(const FactsRequest&) const = default;
};

// What was read of each file, kept while the file is as it was read. A read that failed is kept as nothing, so the
// next look tries again.
class FileReads {
public:
    // The content of `path`, whose version is now `version`: what is kept where it is current (and whole where
    // `whole` is asked for), else read now. Null, with `error`, when it cannot be read.
    const FileContent* Content(const std::wstring& path,
                               const FileVersion& version,
                               bool whole,
                               FileError& error,
                               const std::atomic<bool>* stop);

    // Whether two files that Content read whole hold the same bytes. Equal digests are confirmed once per file,
    // against the first file found with that digest, so that n copies of the same bytes cost n comparisons, not n².
    bool SameBytes(const std::wstring& a, const std::wstring& b);

    void Forget() { files_.clear(), representatives_.clear(); }

private:
    struct Kept {
        FileContent content;
        std::wstring representative;  // the file it was found the same as; empty while unconfirmed
        FileVersion representativeVersion;
    };
    bool Confirmed(const std::wstring& path, Kept& kept);

    std::map<std::wstring, Kept> files_;
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::wstring> representatives_;  // by size and digest
};

// The facts of the backup as the files are now, read through `reads`. A set `stop` ends a long read early.
BackupFacts WorkOutFacts(const FactsRequest& request, FileReads& reads, const std::atomic<bool>* stop = nullptr);
