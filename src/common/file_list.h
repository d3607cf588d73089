// The file list of the restore windows: a list box showing the names of one folder's files that match a
// pattern, in name order, without folders and without hidden or system files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A file as a listing finds it: its name, size and last-write time (100-ns ticks since 1601).
struct ListedFile {
    std::wstring name;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
};

// The files in `folder` matching `pattern` as the platform's file search matches it (without regard to case; a
// trailing ".*" also matches names without a full stop), hidden and system files left out, in the order found.
std::vector<ListedFile> ListableFiles(const std::wstring& folder, const std::wstring& pattern);
// Their names only.
std::vector<std::wstring> ListableFileNames(const std::wstring& folder, const std::wstring& pattern);

class FileList {
public:
    // Starts on the process's current working folder.
    void Attach(HWND listBox, std::wstring pattern);

    const std::wstring& Folder() const { return folder_; }
    void SetFolder(std::wstring folder);
    // Lists the folder anew; the selected name stays selected while it is there.
    void Refresh();
    // The selected name, empty when nothing is selected.
    std::wstring SelectedName() const;
    // The name of entry `index`, empty past the last entry.
    std::wstring Name(int index) const;

private:
    void Fill();

    HWND listBox_ = nullptr;
    std::wstring folder_;
    std::wstring pattern_;
};
