// The file list of the restore windows: a list box showing the names of one folder's files that match a pattern, in
// name order, without folders and without hidden or system files; every name whole, with a horizontal scroll range
// to the longest, and only whole rows within the list's designed height.
#pragma once

#include <windows.h>

#include <string>

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
    // The name of entry `index`, empty past the last entry; the entry of an exact name, -1 for none.
    std::wstring Name(int index) const;
    int IndexOf(const std::wstring& name) const;
    // The entry under a point of the list's client area; -1 where none is (below the last, the list box would name
    // the nearest).
    int EntryAt(POINT point) const;
    // Fits the list, just placed at its designed height in a new font, to whole rows and its longest name. Attach
    // takes the height it finds as the designed one.
    void Fit();

private:
    void Fill();
    void FitToNames();

    HWND listBox_ = nullptr;
    std::wstring folder_;
    std::wstring pattern_;
    int designedHeight_ = 0;
};
