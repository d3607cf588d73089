// File times in the user's local time.
#pragma once

#include <windows.h>

#include <cstdint>

// A file time (100-ns ticks since 1601 UTC) in local time, by the time-zone rules of its own year where Windows
// keeps rules per year (7 and later), by today's rules elsewhere. False when it cannot be converted.
bool FileTimeToLocal(std::uint64_t ticks, SYSTEMTIME& local);
