// Takes the README's screenshots of the program's windows: take_screenshots OUTPUT_FOLDER.
#include "control_ids.h"
#include "gui_bench.h"

#include <cstdio>

namespace {

// The profile folder of the account zhang.san@sogou.com: the MD5 digest of the address in UTF-16LE.
constexpr wchar_t kAccountFolder[] = L"fe6e4f3ed48028fe581259fd58549296";

void MakeSampleProfile(const std::wstring& appData) {
    const std::wstring profile = appData + L"\\sogouexplorer";
    MakeFolders(profile + L"\\DailyBackup");
    MakeFolders(profile + L"\\Backup");
    WriteBytes(profile + L"\\Favorite2.dat", "favorites");
    for (const wchar_t* name : {L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.26.22", L"Favorite2.dat.2012.02.27.22"}) {
        WriteBytes(profile + L"\\DailyBackup\\" + name, "backup");
    }
    WriteBytes(profile + L"\\Backup\\Favorite2.dat.2012.01.31.09", "backup");

    const std::wstring account = profile + L"\\" + kAccountFolder + L"\\DailyBackup";
    MakeFolders(account + L"\\2012");
    for (const wchar_t* name : {L"Favorite2.dat.2012.02.25.21", L"Favorite2.dat.2012.02.26.22", L"Favorite2.dat.2012.02.27.22"}) {
        WriteBytes(account + L"\\" + name, std::string(180000, 'x'));
        WriteBytes(account + L"\\2012\\" + name, std::string(170000, 'x'));
    }
}

// Rests the pointer on a list view row's name: the first move makes the row's tip, the second lets it show.
void HoverRow(HWND listView, int row) {
    const RECT rect = ListRowRect(listView, row);
    const POINT point{rect.left + 40, (rect.top + rect.bottom) / 2};
    MovePointer(listView, point);
    Sleep(200);
    MovePointer(listView, {point.x + 1, point.y});
    Sleep(1200);
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

    ProgramUnderTest localRun(appData.Path());
    const HWND main = localRun.WaitForWindow(L"收藏夹备份恢复");
    bool saved = Save(main, folder, L"main-window.png");
    Click(ControlOf(main, main_window::kNoAccount));
    const HWND local = localRun.WaitForWindow(L"本地收藏恢复");
    if (local) SelectEntry(ControlOf(local, no_account_window::kFile1), L"Favorite2.dat.2012.02.27.22");
    saved = Save(local, folder, L"no-account-window.png") && saved;

    ProgramUnderTest accountRun(appData.Path());
    Click(ControlOf(accountRun.WaitForWindow(L"收藏夹备份恢复"), main_window::kHaveAccount));
    const HWND account = accountRun.WaitForWindow(L"账户收藏恢复");
    if (account) {
        SetWindowTextW(ControlOf(account, account_window::kText1), L"zhang.san@sogou.com");
        Click(ControlOf(account, account_window::kSearch));
        WaitUntil([&] { return ListRowCount(ControlOf(account, account_window::kListView1)) > 0; });
        SelectEntry(ControlOf(account, account_window::kFile1), L"Favorite2.dat.2012.02.27.22");
        HoverRow(ControlOf(account, account_window::kListView1), 4);
    }
    return Save(account, folder, L"account-window.png") && saved ? 0 : 1;
}
