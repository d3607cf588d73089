#include "browser/process_search.h"

#include "common/unique_handle.h"

#include <tlhelp32.h>

#include <string>

namespace {

std::wstring UpperCase(std::wstring_view text) {
    std::wstring upper(text.size(), L'\0');
    if (!text.empty()) {
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                      upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    }
    return upper;
}

// The full image path where the limited query right allows it, else the name from the process list.
std::wstring_view ImagePathOrName(const PROCESSENTRY32W& entry, std::wstring& buffer) {
    const UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID)};
    DWORD length = static_cast<DWORD>(buffer.size());
    if (process && QueryFullProcessImageNameW(process.Get(), 0, buffer.data(), &length)) {
        return {buffer.data(), length};
    }
    return entry.szExeFile;
}

}  // namespace

bool ContainsIgnoringCase(std::wstring_view text, std::wstring_view part) {
    return UpperCase(text).find(UpperCase(part)) != std::wstring::npos;
}

bool IsProcessRunning(std::wstring_view name) {
    const UniqueFileHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    if (!snapshot) return false;
    // Only this user's session counts: another user's browser (fast user switching, a terminal server) neither
    // writes these favorites nor can be closed from here.
    DWORD ownSession = 0;
    const bool sessionKnown = ProcessIdToSessionId(GetCurrentProcessId(), &ownSession);
    const auto inOwnSession = [&](DWORD processId) {
        DWORD session = 0;
        return !sessionKnown || (ProcessIdToSessionId(processId, &session) && session == ownSession);
    };

    const std::wstring upperName = UpperCase(name);
    std::wstring buffer(32768, L'\0');
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        if (UpperCase(ImagePathOrName(entry, buffer)).find(upperName) != std::wstring::npos &&
            inOwnSession(entry.th32ProcessID)) {
            return true;
        }
    }
    return false;
}
