#include "common/environment.h"

#include "common/paths.h"
#include "common/texts.h"
#include "common/unique_handle.h"

#include <windows.h>

#include <shlobj.h>

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

namespace {

// FOLDERID_RoamingAppData, spelled out: the program links no library that defines it.
constexpr GUID kRoamingAppDataId{0x3EB685DB, 0x65F9, 0x4CF6, {0xA0, 0x3A, 0xE3, 0xEF, 0x65, 0x72, 0x9F, 0x3D}};

// The known-folder function lives in the shell's libraries, which the program loads only when it needs them
// here, so that a normal start does not pay for them.
std::wstring KnownRoamingAppDataFolder() {
    using GetKnownFolderPath = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
    using FreeTaskMemory = void(WINAPI*)(void*);
    const UniqueModule shell{LoadLibraryW(L"shell32.dll")};
    const UniqueModule ole{LoadLibraryW(L"ole32.dll")};
    if (!shell || !ole) return {};
    const auto getPath = reinterpret_cast<GetKnownFolderPath>(
        reinterpret_cast<void*>(GetProcAddress(shell.Get(), "SHGetKnownFolderPath")));
    const auto freeMemory =
        reinterpret_cast<FreeTaskMemory>(reinterpret_cast<void*>(GetProcAddress(ole.Get(), "CoTaskMemFree")));
    if (!getPath || !freeMemory) return {};
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(getPath(kRoamingAppDataId, 0, nullptr, &path))) folder = path;
    freeMemory(path);
    return folder;
}

}  // namespace

std::wstring RoamingAppDataFolder() {
    std::wstring appData = EnvironmentVariable(L"APPDATA");
    return IsAbsolutePath(appData) ? appData : KnownRoamingAppDataFolder();
}

std::wstring SharedProfileFolder() { return RoamingAppDataFolder() + texts::kSharedProfileFolder; }
