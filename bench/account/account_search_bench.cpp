// Prints, for an account's backup folder of 20,200 entries (200 sub-folders of 100 files each), the time from
// pressing "查找" in the running program to its list holding every row, against a bare FindFirstFileExW walk of the
// same tree in this process, as medians and their ratio; and the peak working set of a program that searched it five
// times in a row, with the rows shown, against that of a bare empty window made the same way.
#include "account/backup_scan.h"
#include "digest/md5.h"
#include "digest/utf16le.h"
#include "gui_bench.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr int kSubFolders = 200;
constexpr int kFilesPerFolder = 100;
constexpr int kEntries = kSubFolders * (kFilesPerFolder + 1);
constexpr int kRounds = 9;

// An account whose backup folder is empty: a search on it empties the list between the timed searches.
constexpr wchar_t kAccount[] = L"nested@example.com";
constexpr wchar_t kEmptyAccount[] = L"empty@example.com";

std::wstring BackupFolder(const std::wstring& appData, const wchar_t* address) {
    const std::string digest = DigestText(Utf16LeBytes(address), 32);
    return appData + L"\\sogouexplorer\\" + std::wstring(digest.begin(), digest.end()) + L"\\DailyBackup";
}

void MakeBackupFolder(const std::wstring& folder) {
    MakeFolders(folder);
    for (int sub = 0; sub < kSubFolders; ++sub) {
        const std::wstring subFolder = folder + L"\\" + std::to_wstring(sub);
        MakeFolders(subFolder);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const std::wstring path = subFolder + L"\\Favorite2.dat.2012.02." + std::to_wstring(file);
            UniqueFileHandle{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)};
        }
    }
}

// The least a walk of the tree must do: one search per folder, every entry counted, sub-folders entered.
std::size_t BareWalk(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    std::vector<std::wstring> subFolders;
    std::size_t entries = 0;
    {
        const UniqueFindHandle search{FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)};
        if (!search) return 0;
        do {
            if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0) continue;
            ++entries;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                subFolders.push_back(folder + L'\\' + found.cFileName);
        } while (FindNextFileW(search.Get(), &found));
    }
    for (const auto& subFolder : subFolders)
        entries += BareWalk(subFolder);
    return entries;
}

double Milliseconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Types the address and presses "查找"; returns once the list holds `rows` rows. The list's thread answers only
// between messages, so the count changes in one step when the search has ended.
void Search(HWND account, const wchar_t* address, int rows) {
    SetWindowTextW(GetDlgItem(account, AccountWindow::kAddressBox), address);
    Click(account, AccountWindow::kFindButton);
    while (ListRowCount(GetDlgItem(account, AccountWindow::kResultList)) != rows) {
    }
}

double PeakMegabytes(const ProgramUnderTest& program) {
    const UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.Id())};
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters));
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int wmain() {
    const TempFolder appData(L"qb-search-bench");
    MakeBackupFolder(BackupFolder(appData.Path(), kAccount));
    MakeFolders(BackupFolder(appData.Path(), kEmptyAccount));

    double emptyWindow = 0;
    {
        const ProgramUnderTest bare(appData.Path(), EmptyWindowPath());
        if (!bare.WaitForWindow(L"空窗口 empty window", 30000)) return 1;
        Sleep(500);
        emptyWindow = PeakMegabytes(bare);
    }

    const ProgramUnderTest program(appData.Path());
    if (!program.PressMainButton(MainWindow::kHaveAccountButton)) return 1;
    const HWND account = program.WaitForWindow(L"账户收藏恢复", 30000);
    if (!account) return 1;
    std::vector<double> searched, walked;
    std::size_t walkedEntries = 0;
    for (int round = 0; round < kRounds; ++round) {
        Search(account, kEmptyAccount, 0);
        UpdateWindow(GetDlgItem(account, AccountWindow::kResultList));
        const auto start = std::chrono::steady_clock::now();
        Search(account, kAccount, kEntries);
        searched.push_back(Milliseconds(start));

        const auto walkStart = std::chrono::steady_clock::now();
        walkedEntries = BareWalk(BackupFolder(appData.Path(), kAccount));
        walked.push_back(Milliseconds(walkStart));
    }
    PostMessageW(account, WM_CLOSE, 0, 0);
    program.WaitForExit(10000);

    // Five searches in a row, each showing its rows, in a program that has done nothing else.
    const ProgramUnderTest fresh(appData.Path());
    if (!fresh.PressMainButton(MainWindow::kHaveAccountButton)) return 1;
    const HWND again = fresh.WaitForWindow(L"账户收藏恢复", 30000);
    if (!again) return 1;
    for (int search = 0; search < 5; ++search) {
        SetWindowTextW(GetDlgItem(again, AccountWindow::kAddressBox), kAccount);
        Click(again, AccountWindow::kFindButton);
        // The count is the same before and after a search of the same tree: the search is over once the window
        // answers again.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(again, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
        UpdateWindow(GetDlgItem(again, AccountWindow::kResultList));
    }
    const double peak = PeakMegabytes(fresh);

    std::printf("account search of %d entries (%d sub-folders of %d files), medians of %d:\n", kEntries, kSubFolders,
                kFilesPerFolder, kRounds);
    std::printf("  bare FindFirstFileExW walk in this process: %7.1f ms (%zu entries)\n", Median(walked),
                walkedEntries);
    std::printf("  \"查找\" to all rows in the list:            %7.1f ms  (ratio %.2f)\n", Median(searched),
                Median(searched) / Median(walked));
    std::printf(
        "peak working set after five searches in a row, the rows shown: program %.1f MiB, bare empty window "
        "%.1f MiB, difference %.1f MiB\n",
        peak, emptyWindow, peak - emptyWindow);
    PostMessageW(again, WM_CLOSE, 0, 0);
    fresh.WaitForExit(10000);
    return walkedEntries == static_cast<std::size_t>(kEntries) ? 0 : 1;
}
