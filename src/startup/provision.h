// Installs the list-view library the account window's controls come from, when the build carries one.
#pragma once

#include <windows.h>

// Writes the library image this program carries (resource "CUSTOM" 101) as MSCOMCTL.OCX into the system
// folder when no file of that name is there. A build that carries no image has nothing to write.
// Returns ERROR_SUCCESS or the system's error code.
DWORD ProvisionCommonControls();
