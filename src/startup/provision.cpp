#include "startup/provision.h"

#include "filesystem/file_exists.h"
#include "filesystem/paths.h"
#include "messages/texts.h"
#include "win32/growing_text.h"
#include "win32/unique_handle.h"

namespace {

DWORD WriteLibrary(HRSRC resource, const std::wstring& target) {
    const HGLOBAL loaded = LoadResource(nullptr, resource);
    const DWORD size = SizeofResource(nullptr, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return ERROR_RESOURCE_DATA_NOT_FOUND;

    UniqueFileHandle file{
        CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
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

// Where the 32-bit library belongs, as the system itself tells: SysWOW64 on 64-bit Windows, which is never
// redirected, so that a 32-bit build writes there directly; System32 on 32-bit Windows, which has no SysWOW64.
// Not from windir: a user's environment must not aim a write that may run with administrator rights elsewhere.
std::wstring SystemFolder() {
    const auto wow64 = GrowingText([](wchar_t* buffer, DWORD size) { return GetSystemWow64DirectoryW(buffer, size); });
    if (wow64) return *wow64;
    return GrowingText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); })
        .value_or(std::wstring());
}

}  // namespace

DWORD ProvisionCommonControls() {
    const HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(101), L"CUSTOM");
    if (!resource) return ERROR_SUCCESS;
    const std::wstring folder = SystemFolder();
    if (!FolderExists(folder)) return ERROR_SUCCESS;
    const std::wstring target = JoinPath(folder, texts::kLibraryFile);
    return FileExists(target) ? ERROR_SUCCESS : WriteLibrary(resource, target);
}
