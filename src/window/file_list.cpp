#include "window/file_list.h"

#include "filesystem/directory_listing.h"
#include "win32/growing_text.h"

#include <algorithm>
#include <vector>

void FileList::Attach(HWND listBox, std::wstring pattern) {
    listBox_ = listBox;
    pattern_ = std::move(pattern);
    RECT placed{};
    GetWindowRect(listBox_, &placed);
    designedHeight_ = placed.bottom - placed.top;
    SetFolder(GrowingText([](wchar_t* buffer, DWORD size) {
                  return GetCurrentDirectoryW(size, buffer);
              }).value_or(std::wstring()));
}

void FileList::SetFolder(std::wstring folder) {
    folder_ = std::move(folder);
    Fill();
}

void FileList::Refresh() {
    const std::wstring selected = SelectedName();
    Fill();
    if (const int index = IndexOf(selected); index >= 0) SendMessageW(listBox_, LB_SETCURSEL, index, 0);
}

// Exact names: the list box's own search ignores case, and a case-sensitive file system can hold both.
int FileList::IndexOf(const std::wstring& name) const {
    if (name.empty()) return -1;
    for (int index = 0, count = static_cast<int>(SendMessageW(listBox_, LB_GETCOUNT, 0, 0)); index < count; ++index) {
        if (Name(index) == name) return index;
    }
    return -1;
}

std::wstring FileList::SelectedName() const {
    return Name(static_cast<int>(SendMessageW(listBox_, LB_GETCURSEL, 0, 0)));
}

std::wstring FileList::Name(int index) const {
    const LRESULT length = SendMessageW(listBox_, LB_GETTEXTLEN, index, 0);
    if (index < 0 || length == LB_ERR) return {};
    std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
    name.resize(
        static_cast<std::size_t>(SendMessageW(listBox_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data()))));
    return name;
}

int FileList::EntryAt(POINT point) const {
    RECT client{}, entry{};
    GetClientRect(listBox_, &client);
    if (!PtInRect(&client, point)) return -1;
    const LRESULT hit = SendMessageW(listBox_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const bool onEntry =
        !HIWORD(hit) &&
        SendMessageW(listBox_, LB_GETITEMRECT, LOWORD(hit), reinterpret_cast<LPARAM>(&entry)) != LB_ERR &&
        PtInRect(&entry, point);
    return onEntry ? LOWORD(hit) : -1;
}

void FileList::Fill() {
    const std::vector<ListedFile> files = ListableFiles(folder_, pattern_);
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    SendMessageW(listBox_, LB_INITSTORAGE, files.size(), files.size() * 32 * sizeof(wchar_t));
    // The list box keeps its entries in name order (LBS_SORT).
    for (const ListedFile& file : files)
        SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.name.c_str()));
    FitToNames();
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

void FileList::Fit() {
    if (!listBox_) return;
    RECT placed{};
    GetWindowRect(listBox_, &placed);
    designedHeight_ = placed.bottom - placed.top;
    FitToNames();
}

// The scroll range covers the widest name, which may show or hide the horizontal scroll bar; then as many whole
// rows as the designed height holds beside the list's frame and that bar.
void FileList::FitToNames() {
    if (designedHeight_ == 0) return;
    const HDC dc = GetDC(listBox_);
    const HGDIOBJ original = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(listBox_, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int index = 0, count = static_cast<int>(SendMessageW(listBox_, LB_GETCOUNT, 0, 0)); index < count; ++index) {
        const std::wstring name = Name(index);
        SIZE size{};
        GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, original);
    ReleaseDC(listBox_, dc);
    // The list box draws each name a few pixels in from its left edge.
    SendMessageW(listBox_, LB_SETHORIZONTALEXTENT, widest ? widest + metrics.tmAveCharWidth : 0, 0);

    RECT window{}, client{};
    GetWindowRect(listBox_, &window);
    GetClientRect(listBox_, &client);
    const int frame = (window.bottom - window.top) - client.bottom;
    const int row = std::max(1, static_cast<int>(SendMessageW(listBox_, LB_GETITEMHEIGHT, 0, 0)));
    const int rows = std::max(1, (designedHeight_ - frame) / row);
    SetWindowPos(listBox_, nullptr, 0, 0, window.right - window.left, rows * row + frame,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
