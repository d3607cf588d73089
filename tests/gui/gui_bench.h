// Drives the real program from outside, as a user would: starts it, finds its windows and controls, presses
// buttons, reads message boxes and list views.
#pragma once

#include "account/account_window.h"
#include "noaccount/shared_profile_window.h"
#include "startup/main_window.h"
#include "test_support.h"

#include <commctrl.h>
#include <process.h>

#include <optional>
#include <stdexcept>

// Waits until `condition` holds; false on timeout.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000) {
    for (const ULONGLONG end = GetTickCount64() + timeoutMs;;) {
        if (condition()) return true;
        if (GetTickCount64() > end) return false;
        Sleep(10);
    }
}

inline std::wstring ControlText(HWND control) {
    std::wstring text(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

// Presses a button of `window` as a click would, without waiting for what the click does.
inline void Click(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// Chooses an entry of a drop-down list as the user would, so the window's handler runs.
inline void Choose(HWND window, int id, int index) {
    SendDlgItemMessageW(window, id, CB_SETCURSEL, index, 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

struct ProgramUnderTest {
    // Starts `program` with APPDATA (unset when nullopt) and, unless empty, windir set to these folders, which it
    // inherits from this process (which does not read them).
    explicit ProgramUnderTest(const std::optional<std::wstring>& appData, const std::wstring& program = ProgramPath(),
                              const std::wstring& windir = {}) {
        SetEnvironmentVariableW(L"APPDATA", appData ? appData->c_str() : nullptr);
        if (!windir.empty()) SetEnvironmentVariableW(L"windir", windir.c_str());
        const intptr_t spawned = _wspawnl(_P_NOWAIT, program.c_str(), QuoteArgument(program).c_str(), nullptr);
        if (spawned == -1) throw std::runtime_error("cannot start " + Utf8(program));
        process_.Reset(reinterpret_cast<HANDLE>(spawned));
    }
    ~ProgramUnderTest() {
        if (TerminateProcess(process_.Get(), 99)) WaitForSingleObject(process_.Get(), 5000);
    }

    DWORD Id() const { return GetProcessId(process_.Get()); }
    bool WaitForExit(DWORD timeoutMs = 10000) const { return WaitForSingleObject(process_.Get(), timeoutMs) == 0; }

    // The program's first visible top-level window with this caption and class (null: any), waiting for it; null
    // on timeout.
    HWND WaitForWindow(const wchar_t* caption, DWORD timeoutMs = 10000, const wchar_t* className = nullptr) const {
        HWND found = nullptr;
        WaitUntil([&] {
            DWORD processId = 0;
            while ((found = FindWindowExW(nullptr, found, className, caption))) {
                if (GetWindowThreadProcessId(found, &processId) && processId == Id() && IsWindowVisible(found)) break;
            }
            return found != nullptr;
        }, timeoutMs);
        return found;
    }
    // A visible tooltip of the program whose first line is `name`, waiting for it; null on timeout.
    HWND WaitForTip(const std::wstring& name, DWORD timeoutMs = 1500) const {
        HWND found = nullptr;
        WaitUntil([&] {
            DWORD processId = 0;
            while ((found = FindWindowExW(nullptr, found, TOOLTIPS_CLASSW, nullptr))) {
                const std::wstring text = ControlText(found);
                if (GetWindowThreadProcessId(found, &processId) && processId == Id() && IsWindowVisible(found) &&
                    text.substr(0, text.find(L'\n')) == name) {
                    break;
                }
            }
            return found != nullptr;
        }, timeoutMs);
        return found;
    }
    // Waits for the main window and presses one of its buttons; false when the main window does not come.
    bool PressMainButton(int id) const {
        const HWND main = WaitForWindow(L"收藏夹备份恢复");
        if (main) Click(main, id);
        return main != nullptr;
    }
    // Waits for a message box, presses its button (OK, or Yes or No) and returns "caption: text"; empty on timeout.
    std::wstring AnswerMessageBox(DWORD timeoutMs = 10000, int button = IDOK) const {
        const HWND box = WaitForWindow(nullptr, timeoutMs, L"#32770");
        if (!box) return {};
        const std::wstring seen = ControlText(box) + L": " + ControlText(GetDlgItem(box, 0xFFFF));
        Click(box, button);
        WaitUntil([&] { return !IsWindow(box); }, timeoutMs);
        return seen;
    }
    // Presses a button and answers the message box that it brings.
    std::wstring Press(HWND window, int id, DWORD timeoutMs = 10000) const {
        Click(window, id);
        return AnswerMessageBox(timeoutMs);
    }

    UniqueKernelHandle process_;
};

// The current folder of this process, and so of the program it starts, for the object's lifetime.
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const std::wstring& folder) { SetCurrentDirectoryW(folder.c_str()); }
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;
    ~CurrentFolderScope() { SetCurrentDirectoryW(TestBinaryFolder().c_str()); }
};

// The control that has the keyboard focus in `window`'s thread.
inline HWND FocusedControl(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Presses a key as the keyboard would, on the control that has the focus in `window`, once the focus is there.
inline void PressKey(HWND window, UINT key) {
    HWND focus = nullptr;
    WaitUntil([&] { return (focus = FocusedControl(window)) != nullptr; });
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

// Moves the focus with Tab until `id` has it; false if it never comes.
inline bool TabTo(HWND window, int id) {
    for (int presses = 0; presses < 20; ++presses) {
        HWND focus = nullptr;
        if (!WaitUntil([&] { return (focus = FocusedControl(window)) != nullptr; })) return false;
        if (GetDlgCtrlID(focus) == id) return true;
        PressKey(window, VK_TAB);
        WaitUntil([&] { return FocusedControl(window) != focus; }, 2000);
    }
    return false;
}

// Selects the first entry of a list box that starts with `text`; false when there is none.
inline bool SelectEntry(HWND listBox, const std::wstring& text) {
    return SendMessageW(listBox, LB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(text.c_str())) != LB_ERR;
}


// Sends a message whose parameter points at `record` to a window of another process through a copy of the record
// in that process, as Wine carries no list-view pointers across processes, and reads the record back.
// `textField` (in `record`), when given, points at a buffer there whose text is returned.
inline std::wstring SendRemote(HWND window, UINT message, WPARAM wParam, void* record, std::size_t size,
                               wchar_t** textField = nullptr) {
    DWORD processId = 0;
    const UniqueKernelHandle process{OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, 0,
                                                 GetWindowThreadProcessId(window, &processId) ? processId : 0)};
    wchar_t text[1024] = {};
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process.Get(), nullptr, size + sizeof(text), MEM_COMMIT, PAGE_READWRITE));
    if (!remote) throw std::runtime_error("cannot reserve memory in the program");
    if (textField) *textField = reinterpret_cast<wchar_t*>(remote + size);
    WriteProcessMemory(process.Get(), remote, record, size, nullptr);
    SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process.Get(), remote, record, size, nullptr);
    ReadProcessMemory(process.Get(), remote + size, text, sizeof(text) - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process.Get(), remote, 0, MEM_RELEASE);
    return text;
}

inline int ListRowCount(HWND listView) { return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0)); }

// The first `columns` texts of every row of a list view of another process.
inline std::vector<std::vector<std::wstring>> ListRows(HWND listView, int columns) {
    std::vector<std::vector<std::wstring>> rows(ListRowCount(listView));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = 1023;
            rows[row].push_back(SendRemote(listView, LVM_GETITEMTEXTW, row, &item, sizeof(item), &item.pszText));
        }
    }
    return rows;
}

// A row's rectangle in the list view's client area.
inline RECT ListRowRect(HWND listView, int row) {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    SendRemote(listView, LVM_GETITEMRECT, row, &rect, sizeof(rect));
    return rect;
}

// Makes this process read the program's windows in physical pixels, as the program lays them out: per-monitor
// aware where Windows (or Wine) offers it, else aware of the system's DPI. True when it is aware.
inline bool MakeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then _PER_MONITOR_AWARE.
    if (!set || (!set(reinterpret_cast<HANDLE>(-4)) && !set(reinterpret_cast<HANDLE>(-3)))) SetProcessDPIAware();
    return IsProcessDPIAware() != FALSE;
}

// The DPI that Wine gives the programs started from now on.
inline void SetScreenDpi(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
}

// Moves the real pointer to a point of `window`'s client area.
inline void MovePointer(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
}
