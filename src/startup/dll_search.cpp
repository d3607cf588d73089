#include "startup/dll_search.h"

#include "win32/system_function.h"

void RestrictDllSearch() {
    // SetDefaultDllDirectories arrived with an update to Windows 7; looked up so the program still starts
    // without it, where SetDllDirectory at least takes the current folder out of the search.
    const auto setDefaultDllDirectories =
        SystemFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDefaultDllDirectories) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}
