// Takes the README's screenshots of the program's windows: take_screenshots OUTPUT_FOLDER.
#include "gui_bench.h"

#include <algorithm>

// GDI+ needs the COM types that a lean windows.h leaves out.
#include <objidl.h>

#include <gdiplus.h>

namespace {

// Saves what the screen shows of `window` as a PNG file, after a moment to paint.
bool Save(HWND window, const std::wstring& path) {
    Sleep(300);
    RECT rect{};
    GetWindowRect(window, &rect);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right - rect.left, rect.bottom - rect.top);
    SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    const CLSID kPngEncoder{0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    const bool saved =
        window && Gdiplus::Bitmap(bitmap, nullptr).Save(path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    Gdiplus::GdiplusShutdown(token);
    DeleteObject(bitmap);
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const std::wstring folder = argv[1];
    // Backups of the shared profile, and of the account zhang.san@sogou.com (the MD5 digest of its address), one of
    // them copied in by hand under a long name.
    const TempFolder appData(L"qb-screenshots");
    const std::wstring shared = appData / L"sogouexplorer";
    const std::wstring account = shared + L"\\fe6e4f3ed48028fe581259fd58549296";
    for (const std::wstring& profile : {shared, account}) {
        MakeFolders(profile + L"\\DailyBackup\\2012");
        WriteBytes(profile + L"\\Favorite2.dat", Database(180, 1));
        WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.25.21", Database(150, 2));
        WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.26.22", Database(176, 3));
        WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.27.22", Database(180, 1));
        // A favorites file the tool kept before a restore: its name is longer than the browser's.
        WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.27.23.41.07", Database(181, 4));
        WriteBytes(profile + L"\\DailyBackup\\Favorite2.dat.2012.02.20.16.从旧电脑拷贝过来的收藏夹备份文件",
                   Database(120, 6));
        for (const wchar_t* name : {L"\\Favorite2.dat.2012.01.30.20", L"\\Favorite2.dat.2012.01.31.21"})
            WriteBytes(profile + L"\\DailyBackup\\2012" + name, Database(140, 5));
    }
    // Glides the pointer onto an entry's or a row's text, and waits there for its tip to tell the facts.
    const auto restOn = [](const ProgramUnderTest& run, HWND control, POINT point, const wchar_t* name) {
        Glide(control, point);
        const HWND tip = run.WaitForTip(name);
        WaitUntil([&] { return tip && ControlText(tip).find(L"文件大小") != std::wstring::npos; });
    };

    // The windows' own pixels, whatever the scale.
    MakeDpiAware();
    bool saved = true;
    // The main window, and the no-account window with an entry's tip, at 96 and at 120 DPI (125 % scale); at 120,
    // also the message of a restore that kept the favorites as a copy of their own.
    for (const auto& [dpi, suffix] : {std::pair(96, L""), std::pair(120, L"-120dpi")}) {
        SetScreenDpi(dpi);
        const ProgramUnderTest run(appData.Path());
        if (dpi == 96) saved = Save(run.WaitForWindow(L"收藏夹备份恢复"), folder + L"\\main-window.png") && saved;
        run.PressMainButton(MainWindow::kNoAccountButton);
        const HWND window = run.WaitForWindow(L"本地收藏恢复");
        const HWND files = GetDlgItem(window, RestorePanel::kFileList);
        WaitUntil([&] { return !Entries(files).empty(); });
        SelectEntry(files, L"Favorite2.dat.2012.02.26.22");
        restOn(run, files, EntryPoint(files, 2), L"Favorite2.dat.2012.02.26.22");
        saved = Save(window, folder + L"\\no-account-window" + suffix + L".png") && saved;
        if (dpi != 120) continue;
        WriteBytes(shared + L"\\Favorite2Backup.dat", Database(100, 7));
        WriteBytes(shared + L"\\Favorite2.dat", Database(182, 8));
        Click(window, RestorePanel::kRestoreButton);
        saved = Save(run.WaitForWindow(nullptr, 10000, L"#32770"), folder + L"\\kept-copy-message-120dpi.png") && saved;
    }

    // The account window after a search, with a row's tip, at 96 DPI, 120 (125 % scale) and 144 (150 %).
    for (const auto& [dpi, name] : {std::pair(96, L"account-window.png"), std::pair(120, L"account-window-120dpi.png"),
                                    std::pair(144, L"account-window-144dpi.png")}) {
        SetScreenDpi(dpi);
        const ProgramUnderTest accountRun(appData.Path());
        accountRun.PressMainButton(MainWindow::kHaveAccountButton);
        const HWND window = accountRun.WaitForWindow(L"账户收藏恢复");
        const HWND list = GetDlgItem(window, AccountWindow::kResultList);
        SetWindowTextW(GetDlgItem(window, AccountWindow::kAddressBox), L"zhang.san@sogou.com");
        Click(window, AccountWindow::kFindButton);
        if (WaitUntil([&] { return ListRowCount(list) > 0; })) {
            SelectEntry(GetDlgItem(window, RestorePanel::kFileList), L"Favorite2.dat.2012.02.27.22");
            const RECT rect = ListRowRect(list, RowNamed(list, L"Favorite2.dat.2012.02.27.22"));
            restOn(accountRun, list, {rect.left + 40, (rect.top + rect.bottom) / 2}, L"Favorite2.dat.2012.02.27.22");
        }
        saved = Save(window, folder + L'\\' + name) && saved;
    }
    SetScreenDpi(96);
    return saved ? 0 : 1;
}
