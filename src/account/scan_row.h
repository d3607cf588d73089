// One entry found by the backup folder scan, and the name clean-up of the search record.
#pragma once

#include <cstdint>
#include <string>

struct ScanRow {
    std::wstring name;  // without folder
    // Running number from 1 across the whole scan.
    std::uint64_t number = 0;
    // Length in bytes; a folder has none of its own and keeps 0.
    std::uint64_t size = 0;
    // Last-write time in 100-ns ticks since 1601-01-01 UTC (a FILETIME); 0 when the file system keeps none.
    std::uint64_t lastWriteTime = 0;
    bool isFolder = false;
};

// Cuts the text before its first NUL (the fixed-size name field of a search record holds the name followed by
// NULs) and returns it; a text without NUL stays whole.
std::wstring StripNulls(std::wstring& text);
