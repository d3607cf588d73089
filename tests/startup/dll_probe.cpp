// A DLL that the search-path test drops beside a program: loading it leaves a trace in its process.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
