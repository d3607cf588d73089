#include "account/scan_rows.h"

#include <algorithm>

// The blocks go back to the system, so that the next scan does not find the old rows' memory still held.
void ScanRows::clear() {
    rowBlocks_ = decltype(rowBlocks_)();
    nameBlocks_ = decltype(nameBlocks_)();
    count_ = 0;
    lettersInBlock_ = kLettersPerBlock;
    folders_ = decltype(folders_)();
}

ScanRow ScanRows::operator[](std::size_t row) const {
    const Entry& entry = At(row);
    return {firstNumber_ + row, entry.size, entry.lastWriteTime, (entry.folder & 1) != 0};
}

std::wstring_view ScanRows::Name(std::size_t row) const {
    const Entry& entry = At(row);
    return {nameBlocks_[entry.nameStart >> 16].get() + (entry.nameStart & 0xFFFF), (entry.folder >> 1) & 0xFF};
}

const std::wstring& ScanRows::Folder(std::size_t row) const {
    return folders_[At(row).folder >> 9];
}

bool ScanRows::AddFolder(std::wstring folder, std::uint32_t& index) {
    if (folders_.size() >= kMaxFolders) return false;
    index = static_cast<std::uint32_t>(folders_.size());
    folders_.push_back(std::move(folder));
    return true;
}

void ScanRows::Add(std::wstring_view name, std::uint32_t folder, const ScanRow& row) {
    name = name.substr(0, 0xFF);
    if (count_ == 0) firstNumber_ = row.number;
    if (count_ % kRowsPerBlock == 0) rowBlocks_.push_back(std::make_unique_for_overwrite<Entry[]>(kRowsPerBlock));
    if (lettersInBlock_ + name.size() > kLettersPerBlock) {
        nameBlocks_.push_back(std::make_unique_for_overwrite<wchar_t[]>(kLettersPerBlock));
        lettersInBlock_ = 0;
    }
    wchar_t* const letters = nameBlocks_.back().get() + lettersInBlock_;
    std::copy(name.begin(), name.end(), letters);
    const auto nameStart = static_cast<std::uint32_t>((nameBlocks_.size() - 1) << 16 | lettersInBlock_);
    lettersInBlock_ += name.size();
    rowBlocks_.back()[count_ % kRowsPerBlock] = {
        row.size, row.lastWriteTime, nameStart,
        folder << 9 | static_cast<std::uint32_t>(name.size()) << 1 | row.isFolder};
    ++count_;
}
