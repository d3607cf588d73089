// dll_search_runner restricted|open: loads qb_dll_probe.dll, which lies beside this program, after restricting
// the DLL search as the program does at start-up (or without). Exits 0 when the DLL was loaded, 1 when not.
#include "startup/dll_search.h"

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    if (wcscmp(argv[1], L"restricted") == 0) RestrictDllSearch();
    return LoadLibraryW(L"qb_dll_probe.dll") ? 0 : 1;
}
