#include "browser/launch.h"

#include "filesystem/paths.h"
#include "messages/system_error.h"
#include "messages/texts.h"
#include "win32/growing_text.h"
#include "win32/unique_handle.h"

#include <string>

namespace {

// The install folder is the default value of the key in the 32-bit view of the registry, where the browser's 32-bit
// set-up writes it, whichever build of this program reads it. An expandable value comes back expanded.
LSTATUS ReadInstallFolder(std::wstring& folder) {
    HKEY opened = nullptr;
    LSTATUS status =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, texts::kBrowserRegistryKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened);
    const UniqueRegistryKey key{opened};
    if (status != ERROR_SUCCESS) return status;
    folder = GrowingText([&](wchar_t* buffer, DWORD size) -> DWORD {
                 DWORD bytes = size * sizeof(wchar_t);
                 status = RegGetValueW(key.Get(), nullptr, nullptr, RRF_RT_REG_SZ, nullptr, buffer, &bytes);
                 if (status == ERROR_MORE_DATA) return bytes / sizeof(wchar_t) + 1;
                 return status == ERROR_SUCCESS && bytes > sizeof(wchar_t) ? bytes / sizeof(wchar_t) - 1 : 0;
             }).value_or(std::wstring());
    return status;
}

}  // namespace

std::optional<Notice> LaunchBrowser() {
    std::wstring folder;
    if (const LSTATUS status = ReadInstallFolder(folder); status != ERROR_SUCCESS) {
        if (status == ERROR_FILE_NOT_FOUND) return ErrorNotice(texts::kLaunchNoInstallFolder);
        return FailureNotice(texts::kLaunchRegistryUnreadable, static_cast<DWORD>(status));
    }
    // An empty or relative folder would start a program at the root of the current drive or below the current
    // folder: only an absolute one says where the browser is.
    if (!IsAbsolutePath(folder)) return ErrorNotice(texts::kLaunchNoInstallFolder);

    // The exact file is named, so a folder with spaces cannot make the system start another program (C:\Program.exe
    // for C:\Program Files\...).
    const std::wstring executable = folder + texts::kBrowserExecutable;
    std::wstring commandLine = L'"' + executable + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    // The browser works in its own folder, as a shortcut would start it, and keeps none of this program's busy (a USB
    // stick or a share could not be removed while it runs).
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started)) {
        const DWORD error = GetLastError();
        // The folder goes on a line of its own, which the box does not break; the reason then says "this file".
        // ERROR_DIRECTORY: the install folder, where the browser is to start, is not there either.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) {
            return ErrorNotice(texts::kLaunchFileMissing + (L'\n' + folder + L'\n') + texts::kLaunchFileMissingEnd);
        }
        return FailureNotice(texts::kLaunchFailed + (L'\n' + folder), error, texts::kThisFile);
    }
    const UniqueKernelHandle process{started.hProcess};
    const UniqueKernelHandle thread{started.hThread};
    return std::nullopt;
}
