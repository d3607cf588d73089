// Environment variables, read anew at every call; an unset variable reads as empty text.
#pragma once

#include <string>

std::wstring EnvironmentVariable(const wchar_t* name);

// The shared profile folder: APPDATA followed by "\sogouexplorer", without a trailing backslash.
std::wstring SharedProfileFolder();
