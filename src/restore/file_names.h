// The names of the files that restore and undo write: the favorites and the undo copy of a profile, the kept
// copies of favorites saved nowhere else, and the temporary files that every copy goes through.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::wstring FavoritesPath(std::wstring_view profileFolder);
std::wstring UndoCopyPath(std::wstring_view profileFolder);

struct KeptCopyTime {
    int year, month, day, hour, minute, second;
};

// "Favorite2.dat.YYYY.MM.DD.HH.MM.SS", then ".NNN" for the next free name where `number` is not 0. The browser
// names its copies "Favorite2.dat.YYYY.MM.DD.HH" and never takes these two fields more, so it can neither write
// over nor prune a kept copy; in name order a kept copy comes after the browser's copy of its hour, before the
// next hour's, and after the kept copies made before it.
std::wstring KeptCopyName(const KeptCopyTime& time, unsigned number = 0);

// Whether a name is one the file lists show: it begins with "Favorite2", in any case.
bool IsBackupName(std::wstring_view name);

// The time in a backup's name: the browser's "Favorite2.dat.YYYY.MM.DD.HH", which tells the hour only (minute and
// second -1), or a kept copy's "Favorite2.dat.YYYY.MM.DD.HH.MM.SS" with or without its ".NNN". Nothing for any other
// name, or for fields out of their ranges.
std::optional<KeptCopyTime> TimeFromName(std::wstring_view name);

// "~quillbarrow-<process id>-<tick>-<attempt>.tmp": the temporary file a copy of that process goes through.
std::wstring TemporaryName(std::uint32_t processId, std::uint64_t tick, unsigned attempt);
// The process id in a name of exactly that form, every field decimal digits; nothing for any other name.
std::optional<std::uint32_t> TemporaryMakerId(std::wstring_view name);
