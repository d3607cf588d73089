#include "common/environment.h"

#include "common/texts.h"

#include <windows.h>

std::wstring EnvironmentVariable(const wchar_t* name) {
    std::wstring value(64, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);
    }
}

std::wstring SharedProfileFolder() { return EnvironmentVariable(L"APPDATA") + texts::kSharedProfileFolder; }
