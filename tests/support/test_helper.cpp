// A small program the tests start as another process:
//   qb_test_helper PARENT_PID EVENT                             sets EVENT, stays until the parent ends (a browser)
//   qb_test_helper PARENT_PID hold PATH none|read|all MS EVENT  holds a file open, sets EVENT, releases after MS
//   qb_test_helper                                              writes its command line and working folder to
//                                                               "<its own path>.launched" and ends (a browser start)
#include "win32/unique_handle.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// The record appears whole, by a rename, so that a test that sees it can read it.
int RecordLaunch() {
    wchar_t self[MAX_PATH];
    wchar_t folder[MAX_PATH];
    const DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring text = std::wstring(GetCommandLineW()) + L'\n' + std::wstring(folder, folderLength);
    const std::wstring path = std::wstring(self, selfLength) + L".launched", partial = path + L".partial";
    {
        const UniqueFileHandle file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr)) {
            return 2;
        }
    }
    return MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}

DWORD ShareMode(const std::wstring& share) {
    if (share == L"all") return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    if (share == L"read") return FILE_SHARE_READ;
    return 0;
}

// Ends with the parent at the latest, so a failed test leaves no stray process behind.
void WaitForParent(const wchar_t* parentId, DWORD timeoutMs) {
    const UniqueKernelHandle parent(OpenProcess(SYNCHRONIZE, FALSE, wcstoul(parentId, nullptr, 10)));
    if (parent) {
        WaitForSingleObject(parent.Get(), timeoutMs);
    } else if (timeoutMs != INFINITE) {
        Sleep(timeoutMs);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return RecordLaunch();
    const auto ready = [&] {
        if (const UniqueKernelHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[argc - 1])); event) {
            SetEvent(event.Get());
        }
    };
    if (argc == 3) {
        ready();
        WaitForParent(argv[1], INFINITE);
        return 0;
    }
    if (argc != 7 || std::wstring(argv[2]) != L"hold") return 1;
    const UniqueFileHandle file(
        CreateFileW(argv[3], GENERIC_READ, ShareMode(argv[4]), nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return 2;
    ready();
    const DWORD releaseAfterMs = wcstoul(argv[5], nullptr, 10);
    WaitForParent(argv[1], releaseAfterMs ? releaseAfterMs : INFINITE);
    return 0;
}
