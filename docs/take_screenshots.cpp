// Takes the README's screenshots of the program's windows: take_screenshots OUTPUT_FOLDER.
#include "gui_bench.h"

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
    // Backups of the shared profile, and of the account zhang.san@sogou.com (the MD5 digest of its address).
    const TempFolder appData(L"qb-screenshots");
    const std::wstring account = appData / L"sogouexplorer\\fe6e4f3ed48028fe581259fd58549296\\DailyBackup";
    MakeFolders(appData / L"sogouexplorer\\DailyBackup");
    MakeFolders(account + L"\\2012");
    for (const wchar_t* name :
         {L"\\Favorite2.dat.2012.02.25.21", L"\\Favorite2.dat.2012.02.26.22", L"\\Favorite2.dat.2012.02.27.22"}) {
        WriteBytes(appData / L"sogouexplorer\\DailyBackup" + name, "backup");
        WriteBytes(account + name, std::string(180000, 'x'));
        WriteBytes(account + L"\\2012" + name, std::string(170000, 'x'));
    }
    // A favorites file the tool kept before a restore: its name is longer than the browser's.
    WriteBytes(account + L"\\Favorite2.dat.2012.02.27.23.41.07", std::string(185000, 'x'));

    // The windows' own pixels, whatever the scale.
    MakeDpiAware();
    SetScreenDpi(96);
    const ProgramUnderTest localRun(appData.Path());
    bool saved = Save(localRun.WaitForWindow(L"收藏夹备份恢复"), folder + L"\\main-window.png");
    localRun.PressMainButton(MainWindow::kNoAccountButton);
    const HWND local = localRun.WaitForWindow(L"本地收藏恢复");
    SelectEntry(GetDlgItem(local, RestorePanel::kFileList), L"Favorite2.dat.2012.02.27.22");
    saved = Save(local, folder + L"\\no-account-window.png") && saved;

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
            // Rests the pointer on a row's name, nudging it until the row's tip shows.
            const RECT rect = ListRowRect(list, 4);
            int nudge = 0;
            WaitUntil([&] {
                MovePointer(list, {rect.left + 40 + (nudge ^= 1), (rect.top + rect.bottom) / 2});
                return accountRun.WaitForWindow(nullptr, 1500, TOOLTIPS_CLASSW) != nullptr;
            });
        }
        saved = Save(window, folder + L'\\' + name) && saved;
    }
    SetScreenDpi(96);
    return saved ? 0 : 1;
}
