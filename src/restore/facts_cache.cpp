#include "restore/facts_cache.h"

#include "common/exact_path.h"
#include "common/local_time.h"
#include "common/paths.h"
#include "common/texts.h"
#include "restore/file_compare.h"
#include "restore/file_names.h"
#include "restore/safe_replace.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr DWORD kHeaderBytes = 24;

// "<long date> <hour>时" for a time that a name gives to the hour, else "<long date> <time>", in the user's locale.
std::wstring TimeText(const KeptCopyTime& time) {
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(time.year);
    local.wMonth = static_cast<WORD>(time.month);
    local.wDay = static_cast<WORD>(time.day);
    local.wHour = static_cast<WORD>(time.hour);
    local.wMinute = static_cast<WORD>(std::max(time.minute, 0));
    local.wSecond = static_cast<WORD>(std::max(time.second, 0));
    wchar_t date[80] = {}, clock[40] = {};
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, date, std::size(date), nullptr)) {
        return {};
    }
    if (time.minute < 0) return std::wstring(date) + L' ' + std::to_wstring(time.hour) + texts::kFactHour;
    const DWORD flags = TIME_FORCE24HOURFORMAT | (time.second < 0 ? TIME_NOSECONDS : 0);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &local, nullptr, clock, std::size(clock));
    return std::wstring(date) + L' ' + clock;
}

// The time a backup's name tells, else its file's last-write time, to the second.
std::wstring SavedAt(std::wstring_view name, std::uint64_t lastWrite) {
    if (const auto named = TimeFromName(name)) return TimeText(*named);
    SYSTEMTIME local{};
    if (!FileTimeToLocal(lastWrite, local)) return {};
    return TimeText({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
}

}  // namespace

std::optional<FactsCache::Seen> FactsCache::Look(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return Seen{path, std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow,
                std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime};
}

std::vector<FactsCache::Seen> FactsCache::Listing(const std::wstring& folder) {
    std::vector<Seen> listed;
    for (ListedFile& file : ListableFiles(folder, texts::kBackupPattern)) {
        listed.push_back({JoinPath(folder, file.name), file.size, file.lastWrite});
    }
    return listed;
}

// What is known of a file holds while its size and time are those it had then.
bool FactsCache::HeaderWhole(const Seen& file) {
    Known& known = files_[file.path];
    if (known.size != file.size || known.lastWrite != file.lastWrite) known = {file.size, file.lastWrite, {}};
    if (!known.headerWhole) {
        // A file too short for a header needs no reading.
        unsigned char header[kHeaderBytes] = {};
        DWORD read = 0;
        UniqueFileHandle opened;
        known.headerWhole = file.size >= kHeaderBytes && OpenToRead(file.path, opened) == ERROR_SUCCESS &&
                            ReadFile(opened.Get(), header, kHeaderBytes, &read, nullptr) &&
                            HeaderIsWhole(std::span(header, read), file.size);
    }
    return *known.headerWhole;
}

bool FactsCache::SameBytes(const Seen& a, const Seen& b) {
    if (a.size != b.size) return false;
    if (a.size == 0) return true;
    const bool ordered = a.path < b.path;
    const Seen& first = ordered ? a : b;
    const Seen& second = ordered ? b : a;
    Compared& known = compared_[{first.path, second.path}];
    if (known.lastWriteA != first.lastWrite || known.lastWriteB != second.lastWrite || known.lastWriteA == 0) {
        known = {first.lastWrite, second.lastWrite, ::SameBytes(first.path, second.path)};
    }
    return known.same;
}

bool FactsCache::Damaged(const Seen& backup, const std::optional<Seen>& favorites, const std::vector<Seen>& listed) {
    if (HeaderWhole(backup)) return false;
    return (favorites && HeaderWhole(*favorites)) ||
           std::any_of(listed.begin(), listed.end(), [&](const Seen& other) { return HeaderWhole(other); });
}

std::optional<BackupFacts> FactsCache::Facts(const std::wstring& folder, const std::wstring& name,
                                             const std::wstring& favorites) {
    const std::vector<Seen> listed = Listing(folder);
    const std::wstring path = JoinPath(folder, name);
    const auto backup = std::find_if(listed.begin(), listed.end(), [&](const Seen& file) { return file.path == path; });
    if (backup == listed.end()) return std::nullopt;
    const auto current = Look(favorites);
    BackupFacts facts;
    facts.size = backup->size;
    facts.time = SavedAt(name, backup->lastWrite);
    if (current) {
        facts.favoritesSize = current->size;
        facts.versus = SameBytes(*backup, *current) ? VersusFavorites::Same : VersusFavorites::OtherBytes;
    }
    for (const Seen& other : listed) {
        if (&other != &*backup && SameBytes(*backup, other)) facts.sameAs.emplace_back(LastComponent(other.path));
    }
    facts.damaged = Damaged(*backup, current, listed);
    return facts;
}

std::wstring FactsCache::Tip(const std::wstring& folder, const std::wstring& name, const std::wstring& profileFolder) {
    // The same exact paths as a restore uses, so that what is known of a file serves both.
    const auto facts = Facts(ExactFullPath(folder), name, FavoritesPath(ExactFullPath(profileFolder)));
    return facts ? name + FactLines(*facts) : name;
}

bool FactsCache::SameAsFavorites(const std::wstring& folder, const std::wstring& name, const std::wstring& favorites) {
    const auto backup = Look(JoinPath(folder, name));
    const auto current = Look(favorites);
    return backup && current && SameBytes(*backup, *current);
}

bool FactsCache::Damaged(const std::wstring& folder, const std::wstring& name, const std::wstring& favorites) {
    const auto backup = Look(JoinPath(folder, name));
    return backup && Damaged(*backup, Look(favorites), Listing(folder));
}
