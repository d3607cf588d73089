// What the tool can tell for certain about a backup copy of the favorites, and the lines that tell it. The favorites
// file is an SQLite database whose pages the browser encrypts, so only a copy's size and time, whether it holds the
// same bytes as another file, and the clear part of its header can be known: no counts, titles or dates inside.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Whether the clear part of a favorites file's header is whole. `first` holds the file's first bytes (up to 24).
// Bytes 16 and 17 give the page size, big-endian, 1 standing for 65536: a power of two from 512 to 65536; bytes 21
// to 23 are 64, 32 and 32; and the file is a whole number of pages. An empty or shorter file is not whole.
bool HeaderIsWhole(std::span<const unsigned char> first, std::uint64_t fileSize);

// How a backup compares with the current favorites of its profile.
enum class VersusFavorites { Same, OtherBytes, NoFavorites };

struct BackupFacts {
    std::uint64_t size = 0;
    std::wstring time;  // when it was saved, as its name or else its file tells
    VersusFavorites versus = VersusFavorites::NoFavorites;
    std::uint64_t favoritesSize = 0;
    std::vector<std::wstring> sameAs;  // the other listed backups that hold the same bytes, by name
    bool damaged = false;              // its header is not whole where the profile's format is known
};

// The lines that follow a backup's name in its tip, each after a line break: its size as the size column shows it,
// its time, how it compares with the current favorites (the same, smaller or larger by how much, or none there),
// the copies it is the same as, and whether it is damaged.
std::wstring FactLines(const BackupFacts& facts);
