// The names of the temporary files that every copy goes through, which tell a later run whose they were.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "~quillbarrow-<process id>-<tick>-<attempt>.tmp": the temporary file a copy of that process goes through.
std::wstring TemporaryName(std::uint32_t processId, std::uint64_t tick, unsigned attempt);
// The pattern that finds them in a folder.
inline constexpr wchar_t kTemporaryPattern[] = L"~quillbarrow-*.tmp";
// The process id in a name of exactly that form, every field decimal digits; nothing for any other name.
std::optional<std::uint32_t> TemporaryMakerId(std::wstring_view name);
