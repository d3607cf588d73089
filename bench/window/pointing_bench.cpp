// Prints, for a pointer that glides onto a backup whose facts take long to find and rests there, the longest time the
// window takes to answer a message meanwhile, and the time until the tip tells the backup's facts: a 1 GiB backup
// beside 1 GiB favorites that differ only in their last byte, and a backup among 3000 backups of one size.
#include "gui_bench.h"

#include <cstdio>

namespace {

struct Figures {
    double longestGapMs;
    double factsMs;
};

// Glides onto entry `entry` of the file list, then measures until the tip shows `line`, for at most a minute.
Figures PointAt(const ProgramUnderTest& program, HWND window, int entry, const std::wstring& line) {
    const HWND files = GetDlgItem(window, RestorePanel::kFileList);
    const std::wstring name = Entries(files)[entry];
    Glide(files, EntryPoint(files, entry));
    const ULONGLONG start = GetTickCount64();
    double longest = 0;
    for (;;) {
        longest = std::max(longest, LongestUnansweredGap(window, 100));
        const HWND tip = program.WaitForTip(name, 0);
        if ((tip && ControlText(tip).find(line) != std::wstring::npos) || GetTickCount64() - start > 60000) break;
    }
    return {longest, static_cast<double>(GetTickCount64() - start)};
}

}  // namespace

int wmain() {
    const TempFolder appData(L"qb-pointing-bench");
    const std::wstring profile = appData / L"sogouexplorer";
    MakeSlowProfile(profile);
    const ProgramUnderTest program(appData.Path());
    if (!program.PressMainButton(MainWindow::kNoAccountButton)) return 1;
    const HWND window = program.WaitForWindow(L"本地收藏恢复", 30000);
    if (!window || !WaitUntil([&] { return Entries(GetDlgItem(window, RestorePanel::kFileList)).size() == 1; }))
        return 1;

    std::printf("pointing at a backup whose facts take long, then resting (the tip's pause is 500 ms):\n");
    const Figures large = PointAt(program, window, 0, L"内容不同");
    std::printf("  1 GiB backup beside 1 GiB favorites: longest unanswered gap %6.1f ms, facts shown after %7.0f ms\n",
                large.longestGapMs, large.factsMs);
    Choose(window, RestorePanel::kFolderChooser, 1);
    if (!WaitUntil([&] { return Entries(GetDlgItem(window, RestorePanel::kFileList)).size() == 3000; })) return 1;
    const Figures first = PointAt(program, window, 1, L"另有 2996 份");
    std::printf("  one of 3000 backups of one size, first: longest gap %6.1f ms, facts shown after %7.0f ms\n",
                first.longestGapMs, first.factsMs);
    const Figures next = PointAt(program, window, 2, L"另有 2996 份");
    std::printf("  the next one of them:                   longest gap %6.1f ms, facts shown after %7.0f ms\n",
                next.longestGapMs, next.factsMs);
    PostMessageW(window, WM_CLOSE, 0, 0);
    program.WaitForExit(10000);
    return 0;
}
