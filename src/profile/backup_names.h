// The names of the backups: the browser's dated copies, and the kept copies of favorites saved nowhere else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct CalendarTime {
    int year, month, day, hour, minute, second;
};

// The time a backup's name tells: to the hour in the browser's names, to the second in a kept copy's.
struct NamedTime {
    CalendarTime time;
    bool toTheSecond = false;  // else minute and second are 0 and mean nothing
};

// "Favorite2.dat.YYYY.MM.DD.HH.MM.SS", then ".NNN" for the next free name where `number` is not 0. The browser names
// its copies "Favorite2.dat.YYYY.MM.DD.HH", so it never writes a copy under such a name; in name order a kept copy
// comes after the browser's copy of its hour, before the next hour's, and after the kept copies made before it.
std::wstring KeptCopyName(const CalendarTime& time, unsigned number = 0);

// Whether a name is one the file lists show: it begins with "Favorite2", in any case.
bool IsBackupName(std::wstring_view name);

// The time in a backup's name: the browser's "Favorite2.dat.YYYY.MM.DD.HH", or a kept copy's
// "Favorite2.dat.YYYY.MM.DD.HH.MM.SS" with or without its ".NNN". Nothing for any other name, or for a date that no
// calendar has (the 30th of February) or fields out of their ranges.
std::optional<NamedTime> TimeFromName(std::wstring_view name);

// Whether a name is a kept copy's, as KeptCopyName makes them.
bool IsKeptCopyName(std::wstring_view name);
