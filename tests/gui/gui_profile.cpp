#include "gui_profile.h"

namespace {
constexpr wchar_t kKey[] = L"SOFTWARE\\SogouExplorer";
}

void SharedProfile::AddBackups(const std::wstring& backupFolder, std::initializer_list<const wchar_t*> names) const {
    MakeFolders(folder + L"\\" + backupFolder);
    for (const wchar_t* name : names) WriteBytes(folder + L"\\" + backupFolder + L"\\" + name, Utf8(name));
}

InstallFolderValue::InstallFolderValue(const std::wstring& folder, REGSAM view) : view_(view) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
    const UniqueRegistryKey owned{key};
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}

InstallFolderValue::~InstallFolderValue() { Remove(view_); }

void InstallFolderValue::Remove(REGSAM view) { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, view, 0); }
