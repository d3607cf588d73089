// Drives the real program from outside, as a user would: starts it, finds its windows and controls, presses buttons
// and keys, glides the pointer and rests it, reads message boxes, tips and list views.
#pragma once

#include "account/account_window.h"
#include "noaccount/no_account_window.h"
#include "startup/main_window.h"
#include "test_support.h"
#include "win32/system_function.h"

#include <commctrl.h>

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

// Selects the entry of a list box that starts with `text`; false when there is none.
inline bool SelectEntry(HWND listBox, const std::wstring& text) {
    return SendMessageW(listBox, LB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(text.c_str())) != LB_ERR;
}

// What the user could not read whole in a message box: a line naming a path or a file that the box breaks, or, in a
// message that the program breaks into lines itself, one or two letters left alone on a line. Each of the text's
// lines is measured in the message font against the width of the box's text.
inline std::wstring BrokenLines(HWND box) {
    const HWND label = GetDlgItem(box, 0xFFFF);
    RECT room{};
    GetClientRect(label, &room);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const UniqueFont font{CreateFontIndirectW(&metrics.lfMessageFont)};
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ original = SelectObject(dc, font.Get());
    const auto fits = [&](std::wstring_view part) {
        SIZE size{};
        GetTextExtentPoint32W(dc, part.data(), static_cast<int>(part.size()), &size);
        return size.cx <= room.right;
    };
    std::wstring broken;
    const std::wstring text = ControlText(label) + L'\n';
    const bool ownLines = text.find(L'\n') + 1 < text.size();
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        const std::wstring_view line(text.data() + start, end - start);
        if (fits(line)) continue;
        const bool names = line.find(L'\\') != line.npos || line.find(L"Favorite2") != line.npos;
        if (names || (ownLines && line.size() > 2 && fits(line.substr(0, line.size() - 2)))) {
            broken += L"\n[broken: " + std::wstring(line) + L']';
        }
    }
    SelectObject(dc, original);
    DeleteDC(dc);
    return broken;
}

struct ProgramUnderTest {
    // Starts `program` in `folder` (empty: the test's) with APPDATA (unset when nullopt), which it inherits from this
    // process (which does not read it).
    explicit ProgramUnderTest(const std::optional<std::wstring>& appData,
                              const std::wstring& program = ProgramPath(),
                              const std::wstring& folder = {}) {
        SetEnvironmentVariableW(L"APPDATA", appData ? appData->c_str() : nullptr);
        process_ = StartProcess(program, QuoteArgument(program), folder);
    }
    ~ProgramUnderTest() {
        if (TerminateProcess(process_.Get(), 99)) WaitForSingleObject(process_.Get(), 5000);
    }

    DWORD Id() const { return GetProcessId(process_.Get()); }
    bool WaitForExit(DWORD timeoutMs = 10000) const { return WaitForSingleObject(process_.Get(), timeoutMs) == 0; }

    // The program's first visible top-level window of this class (null: any) whose caption passes `captionIs`,
    // waiting for it; null on timeout.
    template <class CaptionIs>
    HWND WaitFor(const wchar_t* className, CaptionIs captionIs, DWORD timeoutMs) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                DWORD processId = 0;
                while ((found = FindWindowExW(nullptr, found, className, nullptr))) {
                    if (GetWindowThreadProcessId(found, &processId) && processId == Id() && IsWindowVisible(found) &&
                        captionIs(ControlText(found))) {
                        break;
                    }
                }
                return found != nullptr;
            },
            timeoutMs);
        return found;
    }
    HWND WaitForWindow(const wchar_t* caption, DWORD timeoutMs = 10000, const wchar_t* className = nullptr) const {
        return WaitFor(
            className, [&](const std::wstring& text) { return !caption || text == caption; }, timeoutMs);
    }
    // A visible tooltip of the program whose first line is `name`, waiting for it while the pointer rests; null on
    // timeout.
    HWND WaitForTip(const std::wstring& name, DWORD timeoutMs = 3000) const {
        return WaitFor(
            TOOLTIPS_CLASSW, [&](const std::wstring& text) { return text.substr(0, text.find(L'\n')) == name; },
            timeoutMs);
    }
    // Waits for the main window and presses one of its buttons; false when the main window does not come.
    bool PressMainButton(int id) const {
        const HWND main = WaitForWindow(L"收藏夹备份恢复");
        if (main) Click(main, id);
        return main != nullptr;
    }
    // Waits for a message box, presses its button (OK, or Yes or No) and returns "caption: text", with what it could
    // not show whole after it; empty on timeout.
    std::wstring AnswerMessageBox(DWORD timeoutMs = 10000, int button = IDOK) const {
        const HWND box = WaitForWindow(nullptr, timeoutMs, L"#32770");
        if (!box) return {};
        const std::wstring seen = ControlText(box) + L": " + ControlText(GetDlgItem(box, 0xFFFF)) + BrokenLines(box);
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

// Moves the real pointer as a hand does, in one glide from where it is to a point of `control`'s client area, where
// it then rests.
inline void Glide(HWND control, POINT to) {
    ClientToScreen(control, &to);
    POINT from{};
    GetCursorPos(&from);
    constexpr int kSteps = 6;
    for (int step = 1; step <= kSteps; ++step) {
        SetCursorPos(from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps);
        Sleep(15);
    }
}

// The longest time, in milliseconds, that `window` took to answer a message within the next `durationMs`.
inline double LongestUnansweredGap(HWND window, DWORD durationMs) {
    LARGE_INTEGER frequency{}, before{}, after{};
    QueryPerformanceFrequency(&frequency);
    double longest = 0;
    for (const ULONGLONG end = GetTickCount64() + durationMs; GetTickCount64() < end;) {
        DWORD_PTR result = 0;
        QueryPerformanceCounter(&before);
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
        QueryPerformanceCounter(&after);
        longest = std::max(longest, 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                                        static_cast<double>(frequency.QuadPart));
        Sleep(5);
    }
    return longest;
}

// Sends a message whose parameter points at `record` to a window of another process through a copy of the record in
// that process, as Wine carries no list-view pointers across processes, and reads the record back. `textField` (in
// `record`), when given, points at a buffer there whose text is returned.
inline std::wstring SendRemote(HWND window,
                               UINT message,
                               WPARAM wParam,
                               void* record,
                               std::size_t size,
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

inline int ListRowCount(HWND listView) {
    return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
}

// The first `columns` texts of every row of a list view of another process, as it shows them.
inline std::vector<Names> ListRows(HWND listView, int columns) {
    std::vector<Names> rows(ListRowCount(listView));
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

// A part of a row's rectangle (LVIR_BOUNDS, LVIR_LABEL, LVIR_ICON) in the list view's client area.
inline RECT ListRowRect(HWND listView, int row, int part = LVIR_BOUNDS) {
    RECT rect{part, 0, 0, 0};
    SendRemote(listView, LVM_GETITEMRECT, row, &rect, sizeof(rect));
    return rect;
}

// The row whose name is `name`; -1 for none.
inline int RowNamed(HWND listView, const std::wstring& name) {
    const auto rows = ListRows(listView, 1);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        if (rows[row][0] == name) return row;
    }
    return -1;
}

// The middle of an entry of a list box, where a hand would rest on it.
inline POINT EntryPoint(HWND listBox, int entry) {
    RECT rect{};
    SendMessageW(listBox, LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&rect));
    return {rect.left + 20, (rect.top + rect.bottom) / 2};
}

// A profile whose backups are slow to know: a 1 GiB favorites file with a DailyBackup copy of its size that differs
// only at its end, and 3000 backups of one size in Backup.
inline void MakeSlowProfile(const std::wstring& profile) {
    MakeFolders(profile + L"\\DailyBackup");
    MakeFolders(profile + L"\\Backup");
    WriteSparse(profile + L"\\Favorite2.dat", 1ull << 30, 'a');
    WriteSparse(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.27.22", 1ull << 30, 'b');
    for (int i = 0; i < 3000; ++i)
        WriteBytes(profile + L"\\Backup\\Favorite2.dat.1." + std::to_wstring(1000 + i), Pattern(4096, 7));
}

// Makes this process read the program's windows in physical pixels, as the program lays them out: per-monitor aware
// where Windows (or Wine) offers it, else aware of the system's DPI. True when it is aware.
inline bool MakeDpiAware() {
    const auto set = SystemFunction<BOOL(WINAPI*)(HANDLE)>(L"user32.dll", "SetProcessDpiAwarenessContext");
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then _PER_MONITOR_AWARE.
    if (!set || (!set(reinterpret_cast<HANDLE>(-4)) && !set(reinterpret_cast<HANDLE>(-3)))) SetProcessDPIAware();
    return IsProcessDPIAware() != FALSE;
}

// The DPI that Wine gives the programs started from now on.
inline void SetScreenDpi(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
}
