// Prints the time from process start to the main window being visible (median of several runs) and the size
// of each executable of the build.
#include "gui_bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 9;
    const TempFolder appData(L"qb-bench");
    // At 100 % and at 150 % scale: the windows lay themselves out and make their fonts at the screen's DPI.
    for (const DWORD dpi : {96, 144}) {
        SetScreenDpi(dpi);
        std::vector<double> milliseconds;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            ProgramUnderTest program(appData.Path());
            const HWND main = program.WaitForWindow(L"收藏夹备份恢复", 30000);
            const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
            if (!main) {
                std::printf("run %d: the main window did not appear\n", run + 1);
                SetScreenDpi(96);
                return 1;
            }
            milliseconds.push_back(elapsed.count());
            PostMessageW(main, WM_CLOSE, 0, 0);
            program.WaitForExit(10000);
        }
        std::sort(milliseconds.begin(), milliseconds.end());
        std::printf("start to visible main window at %lu DPI, %d runs: median %.0f ms (fastest %.0f ms, slowest %.0f ms)\n",
                    dpi, runs, milliseconds[milliseconds.size() / 2], milliseconds.front(), milliseconds.back());
    }
    SetScreenDpi(96);

    // The build folders hold the 64-bit program; the shipping 32-bit one lies beside them in build\win32.
    const std::wstring program = ProgramPath();
    const std::wstring builds = program.substr(0, program.rfind(L'\\', program.rfind(L'\\') - 1));
    for (const wchar_t* build : {L"win64", L"win32"}) {
        const std::wstring path = builds + L'\\' + build + L"\\Quillbarrow.exe";
        std::printf("%ls\\Quillbarrow.exe: %lld bytes\n", build, FileSize(path));
    }
    return 0;
}
