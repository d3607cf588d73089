#include "startup/provision.h"

#include "common/environment.h"
#include "common/file_exists.h"
#include "common/texts.h"
#include "common/unique_handle.h"
#include "common/paths.h"

namespace {

DWORD WriteLibrary(HRSRC resource, const std::wstring& target) {
    const HGLOBAL loaded = LoadResource(nullptr, resource);
    const DWORD size = SizeofResource(nullptr, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return ERROR_RESOURCE_DATA_NOT_FOUND;

    UniqueFileHandle file{CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) return GetLastError();
    DWORD written = 0;
    const BOOL wrote = WriteFile(file.Get(), bytes, size, &written, nullptr);
    if (wrote && written == size) return ERROR_SUCCESS;
    // Presence is judged by name alone, so a cut-off library must not stay behind.
    const DWORD error = wrote ? ERROR_WRITE_FAULT : GetLastError();
    file.Reset();
    DeleteFileW(target.c_str());
    return error;
}

}  // namespace

DWORD ProvisionCommonControls() {
    const HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(101), L"CUSTOM");
    if (!resource) return ERROR_SUCCESS;

    // SysWOW64 exists on 64-bit Windows only and is never redirected, so a 32-bit build writes there directly;
    // System32 is reached only where there is no SysWOW64 and hence no redirection either.
    const std::wstring windir = EnvironmentVariable(L"windir");
    for (const wchar_t* folder : {texts::kSysWow64Folder, texts::kSystem32Folder}) {
        const std::wstring systemFolder = windir + folder;
        if (!FolderExists(systemFolder)) continue;
        const std::wstring target = JoinPath(systemFolder, texts::kLibraryFile);
        return FileExists(target) ? ERROR_SUCCESS : WriteLibrary(resource, target);
    }
    return ERROR_SUCCESS;
}
