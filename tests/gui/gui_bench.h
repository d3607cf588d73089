// Drives the real program from outside, as a user would: starts it with its own environment, finds its windows
// and controls, presses buttons, chooses list entries, reads message boxes and takes screenshots.
#pragma once

#include "test_support.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
    int icon = 0;  // MB_ICONERROR (16), MB_ICONINFORMATION (64), ... or 0 for none

    bool operator==(const SeenMessageBox&) const = default;
};
std::ostream& operator<<(std::ostream& out, const SeenMessageBox& box);

class ProgramUnderTest {
public:
    struct Options {
        std::wstring appData;                                         // APPDATA of the program
        std::wstring workingFolder;                                   // empty: the test's own
        std::vector<std::pair<std::wstring, std::wstring>> variables;  // further environment variables
        std::wstring program = ProgramPath();
    };

    explicit ProgramUnderTest(const std::wstring& appData);
    explicit ProgramUnderTest(const Options& options);
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;
    ~ProgramUnderTest();

    DWORD Id() const { return processId_; }

    // The program's visible top-level window with this caption, waiting for it to appear; null on timeout.
    HWND WaitForWindow(const std::wstring& caption, DWORD timeoutMs = 10000) const;
    // The program's visible top-level windows other than message boxes and tooltips.
    std::vector<HWND> Windows() const;
    // Reads the message box that shows (waiting for it), presses its OK button and waits for it to go.
    std::optional<SeenMessageBox> AnswerMessageBox(DWORD timeoutMs = 10000) const;
    // Whether a message box shows now, or appears within `timeoutMs`.
    bool HasMessageBox(DWORD timeoutMs = 0) const;

    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000) const;

    // The program's tooltip windows, shown or not.
    std::vector<HWND> Tooltips() const;

private:
    HWND FindWindowOf(const wchar_t* className, const std::wstring* caption) const;

    UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

// Presses a button as a click would, without waiting for what the click does.
void Click(HWND button);
// Chooses an entry of a drop-down list as the user would, so the window's handler runs.
void Choose(HWND comboBox, int index);
// Selects an entry of a list box by its text; false when there is none.
bool SelectEntry(HWND listBox, const std::wstring& text);
std::vector<std::wstring> Entries(HWND listBox);
std::vector<std::wstring> ComboEntries(HWND comboBox);
std::wstring ControlText(HWND control);
// The control of `window` with this ID, or null.
HWND ControlOf(HWND window, int id);
// Waits until `condition` holds; false on timeout.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000) {
    for (const ULONGLONG end = GetTickCount64() + timeoutMs;;) {
        if (condition()) return true;
        if (GetTickCount64() > end) return false;
        Sleep(10);
    }
}

// The control that has the keyboard focus in `window`'s thread.
HWND FocusOf(HWND window);
// Presses and releases a key on a control as the keyboard would, through the program's message loop.
void PressKey(HWND control, UINT virtualKey);
// Moves the real pointer to a point of `window`'s client area. A tooltip that starts watching the window only sees
// the moves after that.
void MovePointer(HWND window, POINT point);

// Memory in the process of a window, for the messages whose pointers the system does not carry between
// processes (list-view and tooltip messages are not carried by Wine). Freed when the object goes.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size);
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory();

    // The address `offset` bytes into the block, as the other process sees it.
    template <class T>
    T* At(std::size_t offset) const {
        return reinterpret_cast<T*>(static_cast<char*>(address_) + offset);
    }
    LPARAM Parameter() const { return reinterpret_cast<LPARAM>(address_); }
    void Write(std::size_t offset, const void* bytes, std::size_t size) const;
    void Read(std::size_t offset, void* bytes, std::size_t size) const;

private:
    UniqueKernelHandle process_;
    void* address_ = nullptr;
};

// A list view of another process, read through its memory.
struct ListColumn {
    std::wstring header;
    int width = 0;
    int format = 0;  // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER
};
std::vector<ListColumn> ListColumns(HWND listView);
int ListRowCount(HWND listView);
// Every row's texts, column by column.
std::vector<std::vector<std::wstring>> ListRows(HWND listView);
// A row's rectangle in the list view's client area.
RECT ListRowRect(HWND listView, int row);

// The tip a tooltip of another process shows now: the window of its tool and its text; nothing when it shows none.
struct ShownTip {
    HWND tool = nullptr;
    std::wstring text;
};
std::optional<ShownTip> CurrentTip(HWND tooltip);

// Rectangle of a window in the coordinates of another's client area.
RECT RectIn(HWND window, HWND reference);
// Saves what the screen shows of `window` as a PNG file.
bool SaveScreenshot(HWND window, const std::wstring& path);
