// Quillbarrow: puts the browser's favorites back from one of its dated backup copies, and undoes that.
#include "startup/application.h"
#include "startup/dll_search.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictDllSearch();
    Application application;
    return application.Run();
}
