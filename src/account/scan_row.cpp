#include "account/scan_row.h"

void ScanRows::clear() {
    rows_.clear();
    names_.clear();
    folders_.clear();
}

std::wstring_view ScanRows::Name(std::size_t row) const {
    const Entry& entry = rows_[row];
    return std::wstring_view(names_).substr(entry.nameStart, entry.nameLength);
}

std::uint32_t ScanRows::AddFolder(std::wstring folder) {
    folders_.push_back(std::move(folder));
    return static_cast<std::uint32_t>(folders_.size() - 1);
}

void ScanRows::Add(std::wstring_view name, std::uint32_t folder, const ScanRow& row) {
    rows_.push_back({row, static_cast<std::uint32_t>(names_.size()), folder, static_cast<std::uint16_t>(name.size())});
    names_ += name;
}

std::wstring_view StripNulls(std::wstring_view text) {
    return text.substr(0, text.find(L'\0'));
}
