// Keeps the program from loading DLLs out of the folder it was started from.
#pragma once

// Restricts the DLL search to the system folder, so a DLL dropped beside the downloaded program is never
// loaded. Call first thing at start-up.
void RestrictDllSearch();
