// Profile folders and registry values that the GUI tests set up for the program.
#pragma once

#include "test_support.h"

#include <initializer_list>
#include <string>

// APPDATA\sogouexplorer with a favorites file, and the given backup folders holding the given files
// (each file's content is its own name).
struct SharedProfile {
    explicit SharedProfile(const std::wstring& appData) : folder(appData + L"\\sogouexplorer") { MakeFolders(folder); }

    void AddBackups(const std::wstring& backupFolder, std::initializer_list<const wchar_t*> names) const;
    std::wstring Favorites() const { return folder + L"\\Favorite2.dat"; }
    std::wstring UndoCopy() const { return folder + L"\\Favorite2Backup.dat"; }

    std::wstring folder;
};

// Sets, for the test's lifetime, the browser's install folder where the program looks for it: the default
// value of HKLM\SOFTWARE\SogouExplorer in the 32-bit view (or in the 64-bit view, to prove it is not read there).
class InstallFolderValue {
public:
    explicit InstallFolderValue(const std::wstring& folder, REGSAM view = KEY_WOW64_32KEY);
    InstallFolderValue(const InstallFolderValue&) = delete;
    InstallFolderValue& operator=(const InstallFolderValue&) = delete;
    ~InstallFolderValue();
    static void Remove(REGSAM view);

private:
    REGSAM view_;
};
