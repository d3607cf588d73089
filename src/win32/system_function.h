// Functions of system DLLs that not every Windows the program runs on has, looked up when first needed.
#pragma once

#include <windows.h>

// The function `name` of `module`, as the type `Function`; null where the module or the function is missing.
template <class Function>
Function SystemFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The same in a DLL that every process of the program has loaded already (kernel32, user32, ntdll).
template <class Function>
Function SystemFunction(const wchar_t* loadedDll, const char* name) {
    return SystemFunction<Function>(GetModuleHandleW(loadedDll), name);
}
