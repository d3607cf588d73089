#include "browser/launch.h"

#include "common/paths.h"
#include "common/system_error.h"
#include "common/texts.h"
#include "common/unique_handle.h"

#include <string>

namespace {

// The install folder is the default value of the key in the 32-bit view of the registry, where the
// browser's 32-bit set-up writes it, whichever build of this program reads it.
LSTATUS ReadInstallFolder(std::wstring& folder) {
    HKEY opened = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, texts::kBrowserRegistryKey, 0,
                                   KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened);
    const UniqueRegistryKey key{opened};
    if (status != ERROR_SUCCESS) return status;

    // An expandable value comes back expanded, and its expanded length may exceed what the first call asked for.
    constexpr DWORD kTypes = RRF_RT_REG_SZ;
    folder.resize(MAX_PATH);
    for (;;) {
        DWORD bytes = static_cast<DWORD>(folder.size() * sizeof(wchar_t));
        status = RegGetValueW(key.Get(), nullptr, nullptr, kTypes, nullptr, folder.data(), &bytes);
        if (status != ERROR_MORE_DATA) {
            folder.resize(status == ERROR_SUCCESS && bytes >= sizeof(wchar_t) ? bytes / sizeof(wchar_t) - 1 : 0);
            return status;
        }
        folder.resize(bytes / sizeof(wchar_t) + 1);
    }
}

}  // namespace

std::optional<Notice> LaunchBrowser() {
    std::wstring folder;
    if (const LSTATUS status = ReadInstallFolder(folder); status != ERROR_SUCCESS) {
        if (status == ERROR_FILE_NOT_FOUND) return ErrorNotice(texts::kLaunchNoInstallFolder);
        return FailureNotice(texts::kLaunchRegistryUnreadable, static_cast<DWORD>(status));
    }
    // An empty or relative folder would start a program at the root of the current drive or below the
    // current folder: only an absolute one says where the browser is.
    if (!IsAbsolutePath(folder)) return ErrorNotice(texts::kLaunchNoInstallFolder);

    // The exact file is named, so a folder with spaces cannot make the system start another program
    // (C:\Program.exe for C:\Program Files\...).
    const std::wstring executable = folder + texts::kBrowserExecutable;
    std::wstring commandLine = L'"' + executable + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    // The browser works in its own folder, as a shortcut would start it, and keeps none of this program's busy
    // (a USB stick or a share could not be removed while it runs).
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started)) {
        const DWORD error = GetLastError();
        // ERROR_DIRECTORY: the install folder, where the browser is to start, is not there either.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) {
            return ErrorNotice(texts::kLaunchFileMissing + executable + texts::kLaunchFileMissingEnd);
        }
        return FailureNotice(texts::kLaunchFailed + executable, error, executable);
    }
    const UniqueKernelHandle process{started.hProcess};
    const UniqueKernelHandle thread{started.hThread};
    return std::nullopt;
}
