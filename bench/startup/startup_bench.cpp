// Prints the time from process start to the main window being visible against the same for a bare empty window
// made the same way, as medians of runs that take turns, and the size of each executable of the build.
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

// The value at a fraction of the way through the sorted values: 0.5, the median.
double Quantile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
}

// Milliseconds from starting `program` to its window with `caption` on screen, looked for every millisecond;
// negative when it does not come.
double StartToWindow(const std::wstring& appData, const std::wstring& program, const wchar_t* caption) {
    const auto start = std::chrono::steady_clock::now();
    const ProgramUnderTest run(appData, program);
    HWND window = nullptr;
    for (int waits = 0; !window && waits < 30000; ++waits) {
        window = run.WaitForWindow(caption, 0);
        if (!window) Sleep(1);
    }
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    if (!window) return -1;
    PostMessageW(window, WM_CLOSE, 0, 0);
    run.WaitForExit(10000);
    return elapsed.count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 41;
    const TempFolder appData(L"qb-bench");
    const std::wstring empty = EmptyWindowPath();
    // At 100 % and at 150 % scale: the windows lay themselves out and make their fonts at the screen's DPI.
    for (const DWORD dpi : {96, 144}) {
        SetScreenDpi(dpi);
        std::vector<double> program, bare;
        for (int run = 0; run < runs; ++run) {
            bare.push_back(StartToWindow(appData.Path(), empty, L"空窗口 empty window"));
            program.push_back(StartToWindow(appData.Path(), ProgramPath(), L"收藏夹备份恢复"));
        }
        if (*std::min_element(program.begin(), program.end()) < 0 || *std::min_element(bare.begin(), bare.end()) < 0) {
            std::printf("a window did not appear\n");
            SetScreenDpi(96);
            return 1;
        }
        // Each run of the program against the bare window's run just before it, so that a machine that slows
        // down for a while weighs on both alike.
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run)
            ratios.push_back(program[run] / bare[run]);
        std::printf(
            "start to visible window at %lu DPI, %d runs taking turns, median (quartiles): program %.1f ms "
            "(%.1f to %.1f), bare empty window %.1f ms (%.1f to %.1f); ratio, run by run %.3f (%.3f to %.3f)\n",
            dpi, runs, Quantile(program, 0.5), Quantile(program, 0.25), Quantile(program, 0.75), Quantile(bare, 0.5),
            Quantile(bare, 0.25), Quantile(bare, 0.75), Quantile(ratios, 0.5), Quantile(ratios, 0.25),
            Quantile(ratios, 0.75));
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
