#include "common/file_list.h"

#include "common/unique_handle.h"

std::vector<ListedFile> ListableFiles(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<ListedFile> files;
    WIN32_FIND_DATAW found{};
    const std::wstring search = folder + L'\\' + pattern;
    const UniqueFindHandle handle{FindFirstFileW(search.c_str(), &found)};
    if (!handle) return files;
    constexpr DWORD kLeftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if (found.dwFileAttributes & kLeftOut) continue;
        files.push_back(
            {found.cFileName, std::uint64_t{found.nFileSizeHigh} << 32 | found.nFileSizeLow,
             std::uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32 | found.ftLastWriteTime.dwLowDateTime});
    } while (FindNextFileW(handle.Get(), &found));
    return files;
}

std::vector<std::wstring> ListableFileNames(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    for (ListedFile& file : ListableFiles(folder, pattern))
        names.push_back(std::move(file.name));
    return names;
}

void FileList::Attach(HWND listBox, std::wstring pattern) {
    listBox_ = listBox;
    pattern_ = std::move(pattern);
    std::wstring folder(MAX_PATH, L'\0');
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    if (length > folder.size()) {
        folder.resize(length);
        length = GetCurrentDirectoryW(length, folder.data());
    }
    folder.resize(length);
    SetFolder(std::move(folder));
}

void FileList::SetFolder(std::wstring folder) {
    folder_ = std::move(folder);
    Fill();
}

void FileList::Refresh() {
    const std::wstring selected = SelectedName();
    Fill();
    if (selected.empty()) return;
    // Exact names: the list box's own search ignores case, and a case-sensitive file system can hold both.
    for (int index = 0, count = static_cast<int>(SendMessageW(listBox_, LB_GETCOUNT, 0, 0)); index < count; ++index) {
        if (Name(index) == selected) {
            SendMessageW(listBox_, LB_SETCURSEL, index, 0);
            return;
        }
    }
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

void FileList::Fill() {
    const std::vector<std::wstring> names = ListableFileNames(folder_, pattern_);
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    SendMessageW(listBox_, LB_INITSTORAGE, names.size(), names.size() * 32 * sizeof(wchar_t));
    // The list box keeps its entries in name order (LBS_SORT).
    for (const std::wstring& name : names)
        SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}
