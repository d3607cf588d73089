// The favorites file is an SQLite database whose pages the browser encrypts: only the clear part of its header can
// be checked, and only against the format the profile itself uses.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

// Whether the clear part of a favorites file's header is whole. `first` holds the file's first bytes (up to 24).
// Bytes 16 and 17 give the page size, big-endian, 1 standing for 65536: a power of two from 512 to 65536; bytes 21
// to 23 are 64, 32 and 32; and the file is a whole number of pages. An empty or shorter file is not whole.
bool HeaderIsWhole(std::span<const std::uint8_t> first, std::uint64_t fileSize);

// Whether a backup is damaged: its header is not whole, while the profile's format has whole headers. That format
// is the current favorites' where they could be read, else the one most listed backups share (more than half of the
// `listedRead` whose headers were read are whole). Where the profile's format has no clear header, a backup without
// one is not damaged.
bool IsDamaged(bool backupWhole, std::optional<bool> favoritesWhole, std::size_t listedWhole, std::size_t listedRead);
