// Takes the README's screenshots of the program's windows: take_screenshots OUTPUT_FOLDER.
#include "gui_bench.h"

#include <cstdio>

namespace {

constexpr int kLowerButton = 102;
constexpr int kNoAccountFileList = 303;

void MakeSampleProfile(const std::wstring& appData) {
    const std::wstring profile = appData + L"\\sogouexplorer";
    MakeFolders(profile + L"\\DailyBackup");
    MakeFolders(profile + L"\\Backup");
    WriteBytes(profile + L"\\Favorite2.dat", "favorites");
    for (const wchar_t* name : {L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.26.22", L"Favorite2.dat.2012.02.27.22"}) {
        WriteBytes(profile + L"\\DailyBackup\\" + name, "backup");
    }
    WriteBytes(profile + L"\\Backup\\Favorite2.dat.2012.01.31.09", "backup");
}

bool Save(HWND window, const std::wstring& folder, const wchar_t* name) {
    Sleep(300);
    const bool saved = window && SaveScreenshot(window, folder + L"\\" + name);
    std::printf("%s %ls\n", saved ? "saved" : "FAILED", name);
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const std::wstring folder = argv[1];
    const TempFolder appData(L"qb-screenshots");
    MakeSampleProfile(appData.Path());

    ProgramUnderTest program(appData.Path());
    const HWND main = program.WaitForWindow(L"收藏夹备份恢复");
    bool saved = Save(main, folder, L"main-window.png");
    Click(ControlOf(main, kLowerButton));
    const HWND local = program.WaitForWindow(L"本地收藏恢复");
    if (local) SelectEntry(ControlOf(local, kNoAccountFileList), L"Favorite2.dat.2012.02.27.22");
    saved = Save(local, folder, L"no-account-window.png") && saved;
    return saved ? 0 : 1;
}
