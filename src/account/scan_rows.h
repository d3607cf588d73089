// The entries found by the backup folder scan.
#pragma once

#include <cstdint>
#include <memory>
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

// The rows of a scan with their names and folders, numbered on from the first. A tree of many thousand entries is
// searched in a moment, and its rows must cost the window little memory for as long as it shows them: 24 bytes a
// row, its name's letters and each folder once, kept in blocks that are filled and never moved, so that nothing is
// copied while the scan grows.
class ScanRows {
public:
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    void clear();

    ScanRow operator[](std::size_t row) const;
    // The entry's name, without folder.
    std::wstring_view Name(std::size_t row) const;
    // The folder the entry lies in, without a trailing backslash.
    const std::wstring& Folder(std::size_t row) const;

    // Adds a folder whose entries follow, giving the index its rows take; false past the 8,388,607th folder, the most
    // a row's 23 bits for its folder hold.
    bool AddFolder(std::wstring folder, std::uint32_t& index);
    // Adds a row, numbered one on from the last. A file name has at most 255 letters, all a row's 8 bits for its
    // length hold; a longer name would be cut there.
    void Add(std::wstring_view name, std::uint32_t folder, const ScanRow& row);

private:
    static constexpr std::size_t kRowsPerBlock = 4096;
    static constexpr std::size_t kLettersPerBlock = 1 << 16;
    static constexpr std::size_t kMaxFolders = 1 << 23;
    struct Entry {
        std::uint64_t size;
        std::uint64_t lastWriteTime;
        std::uint32_t nameStart;  // block << 16 | letter
        std::uint32_t folder;     // the folder's index << 9 | the name's length << 1 | whether it is a folder
    };
    const Entry& At(std::size_t row) const { return rowBlocks_[row / kRowsPerBlock][row % kRowsPerBlock]; }

    std::vector<std::unique_ptr<Entry[]>> rowBlocks_;
    std::vector<std::unique_ptr<wchar_t[]>> nameBlocks_;
    std::size_t count_ = 0;
    std::size_t lettersInBlock_ = kLettersPerBlock;
    std::uint64_t firstNumber_ = 1;
    std::vector<std::wstring> folders_;
};
