// Comparing files by their bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The size of a file in bytes; nothing when it cannot be looked at.
std::optional<std::uint64_t> FileSize(const std::wstring& path);

// Whether two files hold the same bytes: the sizes first, then the content, which stops at the first difference. A
// file that cannot be read holds nothing that can be relied on: false.
bool SameBytes(const std::wstring& a, const std::wstring& b);
