// A small program the tests start as another process:
//   qb_test_helper PARENT_PID                                   stays until the parent ends (a stand-in browser)
//   qb_test_helper PARENT_PID hold PATH none|read|all MS EVENT  holds a file open, signals EVENT, releases after MS
//   qb_test_helper                                              writes its command line and working folder to
//                                                               "<its own path>.launched" and ends (a browser start)
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

void WaitForParent(DWORD parentId, DWORD timeoutMs) {
    const HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, parentId);
    if (parent) {
        WaitForSingleObject(parent, timeoutMs);
        CloseHandle(parent);
    } else {
        Sleep(timeoutMs == INFINITE ? 0 : timeoutMs);
    }
}

DWORD ShareMode(const wchar_t* share) {
    if (wcscmp(share, L"read") == 0) return FILE_SHARE_READ;
    if (wcscmp(share, L"all") == 0) return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    return 0;
}

int Hold(DWORD parentId, const wchar_t* path, const wchar_t* share, DWORD releaseAfterMs, const wchar_t* eventName) {
    const HANDLE file = CreateFileW(path, GENERIC_READ, ShareMode(share), nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    const HANDLE opened = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    SetEvent(opened);
    CloseHandle(opened);
    WaitForParent(parentId, releaseAfterMs ? releaseAfterMs : INFINITE);
    CloseHandle(file);
    return 0;
}

int RecordLaunch() {
    wchar_t self[MAX_PATH];
    wchar_t folder[MAX_PATH];
    const DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring text = std::wstring(GetCommandLineW()) + L'\n' + std::wstring(folder, folderLength);
    const std::wstring path = std::wstring(self, selfLength) + L".launched";
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return RecordLaunch();
    const DWORD parentId = wcstoul(argv[1], nullptr, 10);
    if (argc == 2) {
        WaitForParent(parentId, INFINITE);
        return 0;
    }
    const std::wstring mode = argv[2];
    if (mode == L"hold" && argc == 7) return Hold(parentId, argv[3], argv[4], wcstoul(argv[5], nullptr, 10), argv[6]);
    return 1;
}
