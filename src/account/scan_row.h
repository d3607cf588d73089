// The entries found by the backup folder scan, and the name clean-up of the search record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One entry found.
struct ScanRow {
    // Running number from 1 across the whole scan.
    std::uint64_t number = 0;
    // Length in bytes; a folder has none of its own and keeps 0.
    std::uint64_t size = 0;
    // Last-write time in 100-ns ticks since 1601-01-01 UTC (a FILETIME); 0 when the file system keeps none.
    std::uint64_t lastWriteTime = 0;
    bool isFolder = false;
};

// The rows of a scan with their names and folders. The names lie in one block and each folder is kept once, so
// that a tree of many thousand entries costs little memory.
class ScanRows {
public:
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    void clear();

    const ScanRow& operator[](std::size_t row) const { return rows_[row].row; }
    // The entry's name, without folder.
    std::wstring_view Name(std::size_t row) const;
    // The folder the entry lies in, with its trailing backslash.
    const std::wstring& Folder(std::size_t row) const { return folders_[rows_[row].folder]; }

    // Adds a folder whose entries follow; returns the number its rows take.
    std::uint32_t AddFolder(std::wstring folder);
    void Add(std::wstring_view name, std::uint32_t folder, const ScanRow& row);

private:
    struct Entry {
        ScanRow row;
        std::uint32_t nameStart;
        std::uint32_t folder;
        std::uint16_t nameLength;
    };
    std::vector<Entry> rows_;
    std::wstring names_;
    std::vector<std::wstring> folders_;
};

// The text up to its first NUL (the fixed-size name field of a search record holds the name followed by NULs); a
// text without NUL stays whole.
std::wstring_view StripNulls(std::wstring_view text);
