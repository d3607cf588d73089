#include "gui_bench.h"

// GDI+ needs the COM types that a lean windows.h leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <ostream>
#include <stdexcept>
#include <string>

namespace {

std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& variables) {
    std::vector<std::wstring> entries;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const std::wstring name = text.substr(0, text.find(L'=', 1));
        const bool replaced = std::any_of(variables.begin(), variables.end(), [&](const auto& variable) {
            return CompareStringOrdinal(name.c_str(), -1, variable.first.c_str(), -1, TRUE) == CSTR_EQUAL;
        });
        if (!replaced) entries.push_back(text);
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : variables) entries.push_back(name + L'=' + value);
    std::wstring block;
    for (const std::wstring& entry : entries) block += entry + L'\0';
    block += L'\0';
    return block;
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;  // null: any but message boxes and tooltips
    const std::wstring* caption;
    std::vector<HWND> found;
    bool shownOnly = true;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || (search.shownOnly && !IsWindowVisible(window))) return TRUE;
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    const bool isWindow = wcscmp(className, L"#32770") != 0 && wcscmp(className, TOOLTIPS_CLASSW) != 0;
    if (search.className ? wcscmp(className, search.className) != 0 : !isWindow) return TRUE;
    if (search.caption && ControlText(window) != *search.caption) return TRUE;
    search.found.push_back(window);
    return TRUE;
}

// The icon a message box shows, found by drawing each standard icon as the box draws it and comparing pixels
// with what the screen shows: the icon handle itself belongs to the other process.
int MessageBoxIcon(HWND box) {
    HWND iconControl = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) iconControl = child;
    }
    if (!iconControl) return 0;
    const int size = GetSystemMetrics(SM_CXICON);
    POINT origin{0, 0};
    ClientToScreen(iconControl, &origin);

    const auto capture = [size](auto draw) {
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        draw(memory, screen);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(memory, x, y));
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return pixels;
    };
    const std::vector<COLORREF> shown =
        capture([&](HDC memory, HDC screen) { BitBlt(memory, 0, 0, size, size, screen, origin.x, origin.y, SRCCOPY); });

    const std::pair<int, const wchar_t*> kIcons[] = {
        {MB_ICONERROR, IDI_ERROR}, {MB_ICONINFORMATION, IDI_INFORMATION},
        {MB_ICONWARNING, IDI_WARNING}, {MB_ICONQUESTION, IDI_QUESTION}};
    for (const auto& [kind, id] : kIcons) {
        const std::vector<COLORREF> drawn = capture([&](HDC memory, HDC) {
            const HBRUSH background = CreateSolidBrush(shown[0]);
            const RECT all{0, 0, size, size};
            FillRect(memory, &all, background);
            DeleteObject(background);
            DrawIconEx(memory, 0, 0, LoadIconW(nullptr, id), size, size, 0, nullptr, DI_NORMAL);
        });
        if (drawn == shown) return kind;
    }
    return -1;
}

// Room for any text the tests read: a cell, a header, a tip.
constexpr std::size_t kTextChars = 1024;

// The text that a message wrote into the buffer behind a record of type `Record`.
template <class Record>
std::wstring TextAfter(const RemoteMemory& memory) {
    std::wstring text(kTextChars, L'\0');
    memory.Read(sizeof(Record), text.data(), kTextChars * sizeof(wchar_t));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const SeenMessageBox& box) {
    return out << "[" << Utf8(box.caption) << "] icon " << box.icon << ": " << Utf8(box.text);
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& appData) : ProgramUnderTest(Options{appData, {}, {}}) {}

ProgramUnderTest::ProgramUnderTest(const Options& options) {
    std::vector<std::pair<std::wstring, std::wstring>> variables = options.variables;
    variables.emplace_back(L"APPDATA", options.appData);
    std::wstring environment = EnvironmentBlock(variables);
    std::wstring commandLine = QuoteArgument(options.program);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(options.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(),
                        options.workingFolder.empty() ? nullptr : options.workingFolder.c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start " + Utf8(options.program) + ": " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    processId_ = info.dwProcessId;
    WaitForInputIdle(process_.Get(), 10000);
}

ProgramUnderTest::~ProgramUnderTest() {
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

HWND ProgramUnderTest::FindWindowOf(const wchar_t* className, const std::wstring* caption) const {
    WindowSearch search{processId_, className, caption, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

HWND ProgramUnderTest::WaitForWindow(const std::wstring& caption, DWORD timeoutMs) const {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOf(nullptr, &caption)) != nullptr; }, timeoutMs);
    return window;
}

std::vector<HWND> ProgramUnderTest::Windows() const {
    WindowSearch search{processId_, nullptr, nullptr, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ProgramUnderTest::Tooltips() const {
    WindowSearch search{processId_, TOOLTIPS_CLASSW, nullptr, {}, false};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ProgramUnderTest::HasMessageBox(DWORD timeoutMs) const {
    return WaitUntil([&] { return FindWindowOf(L"#32770", nullptr) != nullptr; }, timeoutMs);
}

std::optional<SeenMessageBox> ProgramUnderTest::AnswerMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindWindowOf(L"#32770", nullptr)) != nullptr; }, timeoutMs)) return std::nullopt;
    // Give the box a moment to paint before its icon is read from the screen.
    UpdateWindow(box);
    Sleep(50);
    SeenMessageBox seen{ControlText(box), ControlText(GetDlgItem(box, 0xFFFF)), MessageBoxIcon(box)};
    Click(GetDlgItem(box, IDOK));
    WaitUntil([&] { return !IsWindow(box); }, timeoutMs);
    return seen;
}

std::optional<DWORD> ProgramUnderTest::WaitForExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void Click(HWND button) {
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void Choose(HWND comboBox, int index) {
    SendMessageW(comboBox, CB_SETCURSEL, index, 0);
    PostMessageW(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboBox));
}

bool SelectEntry(HWND listBox, const std::wstring& text) {
    const LRESULT index = SendMessageW(listBox, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    return index != LB_ERR && SendMessageW(listBox, LB_SETCURSEL, index, 0) != LB_ERR;
}

namespace {

// A list that the program refills while it is read (LB_ERR for an entry that went) is read again.
std::vector<std::wstring> ListEntries(HWND control, UINT getCount, UINT getTextLength, UINT getText) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::vector<std::wstring> entries;
        const LRESULT count = SendMessageW(control, getCount, 0, 0);
        if (count <= 0) return entries;
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT length = SendMessageW(control, getTextLength, i, 0);
            if (length < 0) break;
            // Room for any file name, in case the entry grows between the two messages.
            std::wstring entry(static_cast<std::size_t>(std::max<LRESULT>(length, MAX_PATH)) + 1, L'\0');
            const LRESULT copied = SendMessageW(control, getText, i, reinterpret_cast<LPARAM>(entry.data()));
            if (copied < 0) break;
            entry.resize(static_cast<std::size_t>(copied));
            entries.push_back(std::move(entry));
        }
        if (static_cast<LRESULT>(entries.size()) == count) return entries;
        Sleep(10);
    }
    throw std::runtime_error("the list kept changing while it was read");
}

}  // namespace

std::vector<std::wstring> Entries(HWND listBox) {
    return ListEntries(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::wstring> ComboEntries(HWND comboBox) {
    return ListEntries(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::wstring ControlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND ControlOf(HWND window, int id) { return GetDlgItem(window, id); }

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void PressKey(HWND control, UINT virtualKey) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(control, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    PostMessageW(control, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | 0xC0000000u);
}

void MovePointer(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
}

RemoteMemory::RemoteMemory(HWND window, std::size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (process_) address_ = VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) throw std::runtime_error("cannot reserve memory in process " + std::to_string(processId));
}

RemoteMemory::~RemoteMemory() { VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE); }

void RemoteMemory::Write(std::size_t offset, const void* bytes, std::size_t size) const {
    if (!WriteProcessMemory(process_.Get(), At<char>(offset), bytes, size, nullptr)) {
        throw std::runtime_error("cannot write the other process's memory");
    }
}

void RemoteMemory::Read(std::size_t offset, void* bytes, std::size_t size) const {
    if (!ReadProcessMemory(process_.Get(), At<char>(offset), bytes, size, nullptr)) {
        throw std::runtime_error("cannot read the other process's memory");
    }
}

std::vector<ListColumn> ListColumns(HWND listView) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    const LRESULT count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    const RemoteMemory memory(listView, sizeof(LVCOLUMNW) + kTextChars * sizeof(wchar_t));
    std::vector<ListColumn> columns;
    for (LRESULT i = 0; i < count; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.pszText = memory.At<wchar_t>(sizeof(column));
        column.cchTextMax = kTextChars;
        memory.Write(0, &column, sizeof(column));
        SendMessageW(listView, LVM_GETCOLUMNW, i, memory.Parameter());
        memory.Read(0, &column, sizeof(column));
        columns.push_back({TextAfter<LVCOLUMNW>(memory), column.cx, column.fmt & LVCFMT_JUSTIFYMASK});
    }
    return columns;
}

int ListRowCount(HWND listView) { return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0)); }

std::vector<std::vector<std::wstring>> ListRows(HWND listView) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    const RemoteMemory memory(listView, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    std::vector<std::vector<std::wstring>> rows(ListRowCount(listView));
    for (int row = 0; auto& texts : rows) {
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = memory.At<wchar_t>(sizeof(item));
            item.cchTextMax = kTextChars;
            memory.Write(0, &item, sizeof(item));
            const wchar_t nothing = L'\0';
            memory.Write(sizeof(item), &nothing, sizeof(nothing));
            SendMessageW(listView, LVM_GETITEMTEXTW, row, memory.Parameter());
            texts.push_back(TextAfter<LVITEMW>(memory));
        }
        ++row;
    }
    return rows;
}

RECT ListRowRect(HWND listView, int row) {
    const RemoteMemory memory(listView, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    memory.Write(0, &rect, sizeof(rect));
    SendMessageW(listView, LVM_GETITEMRECT, row, memory.Parameter());
    memory.Read(0, &rect, sizeof(rect));
    return rect;
}

std::optional<ShownTip> CurrentTip(HWND tooltip) {
    const RemoteMemory memory(tooltip, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = memory.At<wchar_t>(sizeof(tool));
    memory.Write(0, &tool, sizeof(tool));
    // The text goes into the buffer that lpszText names.
    if (!SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, memory.Parameter())) return std::nullopt;
    memory.Read(0, &tool, sizeof(tool));
    return ShownTip{tool.hwnd, TextAfter<TTTOOLINFOW>(memory)};
}

RECT RectIn(HWND window, HWND reference) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    bool saved = false;
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        const CLSID kPngEncoder{0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        saved = image.Save(path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    DeleteObject(bitmap);
    return saved;
}
