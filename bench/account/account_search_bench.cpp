// Prints, for a backup folder of 20,000 entries, the time from pressing "查找" in the running program to its list
// holding every row (and to the list having painted them), against FindFilesAPI over the same folder in this
// process, as a ratio; and the program's peak memory. Two shapes of folder: the entries spread over 200
// sub-folders, and all of them files directly in the backup folder, which the file list shows as well.
#include "account/backup_scan.h"
#include "digest/md5.h"
#include "digest/utf16le.h"
#include "gui_bench.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kEntries = 20000;
constexpr int kRounds = 5;

struct Layout {
    const wchar_t* address;
    const char* description;
    int subFolders;  // the entries are spread evenly over this many sub-folders; 0: all directly in the folder
};
constexpr Layout kLayouts[] = {
    {L"nested@example.com", "200 sub-folders of 99 files", 200},
    {L"flat@example.com", "20,000 backup copies in the folder itself, all in the file list too", 0},
};
// An account whose backup folder is empty: a search on it empties the list between the timed searches.
constexpr wchar_t kEmptyAccount[] = L"empty@example.com";

std::wstring BackupFolder(const std::wstring& appData, const wchar_t* address) {
    const std::string digest = DigestText(Utf16LeBytes(address), 32);
    return appData + L"\\sogouexplorer\\" + std::wstring(digest.begin(), digest.end()) + L"\\DailyBackup";
}

void MakeEmptyFile(const std::wstring& path) {
    UniqueFileHandle{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)};
}

void MakeBackupFolder(const std::wstring& folder, int subFolders) {
    MakeFolders(folder);
    if (subFolders == 0) {
        for (int file = 0; file < kEntries; ++file)
            MakeEmptyFile(folder + L"\\Favorite2.dat." + std::to_wstring(file));
        return;
    }
    const int filesPerFolder = kEntries / subFolders - 1;
    for (int sub = 0; sub < subFolders; ++sub) {
        const std::wstring subFolder = folder + L"\\" + std::to_wstring(sub);
        MakeFolders(subFolder);
        for (int file = 0; file < filesPerFolder; ++file) {
            MakeEmptyFile(subFolder + L"\\Favorite2.dat." + std::to_wstring(file));
        }
    }
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

double Megabytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace

int wmain() {
    const TempFolder appData(L"qb-search-bench");
    for (const Layout& layout : kLayouts)
        MakeBackupFolder(BackupFolder(appData.Path(), layout.address), layout.subFolders);
    MakeFolders(BackupFolder(appData.Path(), kEmptyAccount));

    ProgramUnderTest program(appData.Path());
    const HWND main = program.WaitForWindow(L"收藏夹备份恢复", 30000);
    if (!main) return 1;
    Click(main, MainWindow::kHaveAccountButton);
    const HWND account = program.WaitForWindow(L"账户收藏恢复", 30000);
    if (!account) return 1;
    const HWND listView = GetDlgItem(account, AccountWindow::kResultList);
    const UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.Id())};
    PROCESS_MEMORY_COUNTERS opened{};
    GetProcessMemoryInfo(process.Get(), &opened, sizeof(opened));

    int failures = 0;
    for (const Layout& layout : kLayouts) {
        std::vector<double> counted;
        std::vector<double> painted;
        std::vector<double> scanned;
        for (int round = 0; round < kRounds; ++round) {
            Search(account, kEmptyAccount, 0);
            UpdateWindow(listView);
            const auto start = std::chrono::steady_clock::now();
            Search(account, layout.address, kEntries);
            counted.push_back(Milliseconds(start));
            // Painting the rows that show is the list's only work per row, and it happens on this call.
            UpdateWindow(listView);
            painted.push_back(Milliseconds(start));

            std::vector<ScanRow> rows;
            std::uint64_t counter = 0;
            const auto scanStart = std::chrono::steady_clock::now();
            FindFilesAPI(BackupFolder(appData.Path(), layout.address), L"*.*", counter, rows);
            scanned.push_back(Milliseconds(scanStart));
            if (rows.size() != kEntries) ++failures;
        }
        const double scan = Median(scanned);
        std::printf("%s, %d entries, median of %d:\n", layout.description, kEntries, kRounds);
        std::printf("  FindFilesAPI in this process:        %7.1f ms\n", scan);
        std::printf("  \"查找\" to all rows in the list:      %7.1f ms  (ratio %.2f)\n", Median(counted),
                    Median(counted) / scan);
        std::printf("  \"查找\" to the rows painted:          %7.1f ms  (ratio %.2f)\n", Median(painted),
                    Median(painted) / scan);
    }

    PROCESS_MEMORY_COUNTERS searched{};
    GetProcessMemoryInfo(process.Get(), &searched, sizeof(searched));
    std::printf(
        "program's memory: working set %.1f MB with the window open; peak working set %.1f MB and peak "
        "private bytes %.1f MB after the searches (%.1f MB before them)\n",
        Megabytes(opened.WorkingSetSize), Megabytes(searched.PeakWorkingSetSize), Megabytes(searched.PeakPagefileUsage),
        Megabytes(opened.PeakPagefileUsage));
    PostMessageW(account, WM_CLOSE, 0, 0);
    program.WaitForExit(10000);
    return failures == 0 ? 0 : 1;
}
