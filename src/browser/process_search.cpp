#include "browser/process_search.h"

#include "common/unique_handle.h"

#include <winternl.h>

#include <memory>
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

// The running processes as the system lists them, each with its id and executable name, in one call: the
// list that process snapshots are made from, without the snapshot's copy. Empty when it cannot be had.
std::unique_ptr<std::byte[]> ProcessList() {
    using Query = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    ULONG size = 1 << 16;
    for (int attempt = 0; query && attempt < 8; ++attempt, size *= 2) {
        auto list = std::make_unique_for_overwrite<std::byte[]>(size);
        const NTSTATUS status = query(SystemProcessInformation, list.get(), size, nullptr);
        if (status >= 0) return list;
        if (status != kLengthMismatch) break;
    }
    return nullptr;
}

// The full image path where the limited query right allows it, else the name from the process list.
std::wstring_view ImagePathOrName(DWORD processId, const UNICODE_STRING& name, std::wstring& buffer) {
    const UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    DWORD length = static_cast<DWORD>(buffer.size());
    if (process && QueryFullProcessImageNameW(process.Get(), 0, buffer.data(), &length)) {
        return {buffer.data(), length};
    }
    return {name.Buffer, name.Length / sizeof(wchar_t)};
}

}  // namespace

bool ContainsIgnoringCase(std::wstring_view text, std::wstring_view part) {
    return UpperCase(text).find(UpperCase(part)) != std::wstring::npos;
}

bool IsProcessRunning(std::wstring_view name) {
    const auto list = ProcessList();
    if (!list) return false;
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
    for (const std::byte* at = list.get();;) {
        const auto& entry = *reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(at);
        const auto processId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry.UniqueProcessId));
        if (UpperCase(ImagePathOrName(processId, entry.ImageName, buffer)).find(upperName) != std::wstring::npos &&
            inOwnSession(processId)) {
            return true;
        }
        if (entry.NextEntryOffset == 0) return false;
        at += entry.NextEntryOffset;
    }
}
