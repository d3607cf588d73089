// The walk of a backup folder and all folders below it that fills the account window's result list.
#pragma once

#include "account/scan_rows.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Appends a row for every entry of `folder` and of every folder below it whose name matches `pattern` (the
// platform's wildcards, without regard to case; "*.*" matches every name, with or without a full stop). A
// folder's own matching entries come first, in the order the search returns them and with its sub-folders among
// them, then each sub-folder's rows in full, in the order found. "." and ".." are never rows. `counter` goes up
// by one before each row, which takes the new value, so numbering runs on across folders and calls.
//
// A folder that cannot be searched adds no rows and the walk goes on. Reparse points (junctions, symbolic
// links) get their row but are not entered, so a link to a parent cannot make the walk endless. The folders
// still to walk wait on the heap, so a deep tree does not deepen the stack.
void FindFilesAPI(const std::wstring& folder, std::wstring_view pattern, std::uint64_t& counter, ScanRows& rows);
