#include "browser/process_search.h"

#include "win32/case_fold.h"
#include "win32/system_function.h"
#include "win32/unique_handle.h"

#include <memory>
#include <string>

namespace {

// The running processes as the system lists them, each with its id and executable name, in one call. A process
// snapshot is made from the same list, but copies it, and costs Wine three times as long; and the names in it still
// tell of a process that cannot be opened. Null when it cannot be had.
std::unique_ptr<std::byte[]> ProcessList(ProcessListQuery query) {
    if (!query) query = SystemFunction<ProcessListQuery>(L"ntdll.dll", "NtQuerySystemInformation");
    constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    ULONG size = 1 << 16;
    for (int attempt = 0; query && attempt < 9; ++attempt, size *= 2) {
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

ProcessCheck IsProcessRunning(std::wstring_view name, ProcessListQuery query) {
    const auto list = ProcessList(query);
    if (!list) return ProcessCheck::Unknown;
    // Only this user's session counts: another user's browser (fast user switching, a terminal server) neither
    // writes these favorites nor can be closed from here.
    DWORD ownSession = 0;
    const bool sessionKnown = ProcessIdToSessionId(GetCurrentProcessId(), &ownSession);
    const auto inOwnSession = [&](DWORD processId) {
        DWORD session = 0;
        return !sessionKnown || (ProcessIdToSessionId(processId, &session) && session == ownSession);
    };

    const std::wstring foldedName = FoldCase(name);
    std::wstring buffer(32768, L'\0');
    for (const std::byte* at = list.get();;) {
        const auto& entry = *reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(at);
        const auto processId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry.UniqueProcessId));
        if (FoldCase(ImagePathOrName(processId, entry.ImageName, buffer)).find(foldedName) != std::wstring::npos &&
            inOwnSession(processId)) {
            return ProcessCheck::Running;
        }
        if (entry.NextEntryOffset == 0) return ProcessCheck::NotRunning;
        at += entry.NextEntryOffset;
    }
}
