#include "win32/environment.h"

#include "filesystem/paths.h"
#include "win32/growing_text.h"
#include "win32/system_function.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <shlobj.h>

std::wstring EnvironmentVariable(const wchar_t* name) {
    return GrowingText([&](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); })
        .value_or(std::wstring());
}

namespace {

// FOLDERID_RoamingAppData, spelled out: the program links no library that defines it.
constexpr GUID kRoamingAppDataId{0x3EB685DB, 0x65F9, 0x4CF6, {0xA0, 0x3A, 0xE3, 0xEF, 0x65, 0x72, 0x9F, 0x3D}};

// The known-folder function lives in the shell's libraries, which the program loads only when it needs them here,
// so that a normal start does not pay for them.
std::optional<std::wstring> KnownRoamingAppDataFolder() {
    const UniqueModule shell{LoadLibraryW(L"shell32.dll")};
    const UniqueModule ole{LoadLibraryW(L"ole32.dll")};
    const auto getPath =
        SystemFunction<HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*)>(shell.Get(), "SHGetKnownFolderPath");
    const auto freeMemory = SystemFunction<void(WINAPI*)(void*)>(ole.Get(), "CoTaskMemFree");
    if (!getPath || !freeMemory) return std::nullopt;
    PWSTR path = nullptr;
    std::optional<std::wstring> folder;
    if (SUCCEEDED(getPath(kRoamingAppDataId, 0, nullptr, &path)) && IsAbsolutePath(path)) folder = path;
    freeMemory(path);
    return folder;
}

}  // namespace

std::optional<std::wstring> RoamingAppDataFolder() {
    std::wstring appData = EnvironmentVariable(L"APPDATA");
    if (IsAbsolutePath(appData)) return appData;
    return KnownRoamingAppDataFolder();
}
