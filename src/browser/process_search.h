// Whether a process runs whose executable path contains a name.
#pragma once

#include <windows.h>

#include <winternl.h>

#include <string_view>

enum class ProcessCheck { NotRunning, Running, Unknown };

// NtQuerySystemInformation's form, so that a test can stand in for it.
using ProcessListQuery = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, void*, ULONG, ULONG*);

// Running when some process of this user's session has a full executable path that contains `name`, compared
// without regard to case. Every such process counts whatever its bitness or elevation: where its path cannot be
// read, its executable name from the process list is tested instead. Unknown where the process list cannot be read
// (the function missing, a failing status, a list beyond 16 MiB): a caller must not take that for "not running".
ProcessCheck IsProcessRunning(std::wstring_view name, ProcessListQuery query = nullptr);
