// What a backup's tip tells after its name, from its facts.
#pragma once

#include "profile/backup_facts.h"

#include <cstdint>
#include <string>
#include <string_view>

// A size as Explorer's properties give it on Chinese Windows: three figures in the largest unit that keeps them
// under 1000 (cut, not rounded), then the bytes grouped by thousands: "400 KB (409,600 字节)", "34 字节 (34 字节)".
std::wstring SizeText(std::uint64_t bytes);

// The lines that follow a backup's name in its tip, each after a line break: its size, its time (`timeText`, unless
// empty), how it compares with the current favorites (the same, smaller or larger by how much, or none there), the
// copies it is the same as, and whether it is damaged; or why it cannot be read now, or that it has gone.
std::wstring FactLines(const BackupFacts& facts, std::wstring_view timeText);
