// Prints the time of FindFilesAPI over 20,000 entries in 200 nested folders against a bare FindFirstFileExW walk
// of the same tree, as a ratio, and what formatting every row's size and time texts costs.
#include "account/backup_scan.h"
#include "account/scan_columns.h"
#include "account/time_column.h"

#include "common/unique_handle.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Ten chains of twenty nested folders; every folder holds 99 files besides its sub-folder.
constexpr int kChains = 10;
constexpr int kChainDepth = 20;
constexpr int kFilesPerFolder = 99;
constexpr int kRounds = 5;

std::wstring MakeTree() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring root = temp + std::wstring(L"qb-scan-bench-") + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(root.c_str(), nullptr);
    for (int chain = 0; chain < kChains; ++chain) {
        std::wstring folder = root + L"\\c" + std::to_wstring(chain);
        for (int level = 0; level < kChainDepth; ++level) {
            if (level > 0) folder += L"\\d" + std::to_wstring(level);
            CreateDirectoryW(folder.c_str(), nullptr);
            for (int file = 0; file < kFilesPerFolder; ++file) {
                const std::wstring path = folder + L"\\Favorite2.dat." + std::to_wstring(file);
                UniqueFileHandle{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)};
            }
        }
    }
    return root;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search{FindFirstFileW((folder + L"\\*").c_str(), &found)};
    if (search) {
        do {
            const std::wstring path = folder + L'\\' + found.cFileName;
            if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0) continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search.Get(), &found));
    }
    RemoveDirectoryW(folder.c_str());
}

// The least a walk must do: one search per folder, every entry counted, sub-folders entered.
std::size_t BareWalk(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    std::vector<std::wstring> subFolders;
    std::size_t entries = 0;
    {
        const UniqueFindHandle search{
            FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr, 0)};
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

template <class Work>
double BestMilliseconds(Work work) {
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    return best;
}

}  // namespace

int main() {
    const std::wstring root = MakeTree();

    std::size_t bareEntries = 0;
    std::vector<ScanRow> rows;
    const double bare = BestMilliseconds([&] { bareEntries = BareWalk(root); });
    const double scan = BestMilliseconds([&] {
        rows.clear();
        std::uint64_t counter = 0;
        FindFilesAPI(root, L"*.*", counter, rows);
    });
    std::size_t textLength = 0;
    const double format = BestMilliseconds([&] {
        for (const auto& row : rows)
            textLength += SizeColumnText(row).size() + TimeColumnText(row).size();
    });
    RemoveTree(root);

    std::printf("entries:                     %zu (bare walk), %zu rows (FindFilesAPI)\n", bareEntries, rows.size());
    std::printf("bare FindFirstFileExW walk:  %.1f ms\n", bare);
    std::printf("FindFilesAPI:                %.1f ms\n", scan);
    std::printf("ratio (FindFilesAPI / bare): %.2f\n", scan / bare);
    std::printf("size and time texts of every row: %.1f ms (%.2f us per row)\n", format,
                1000 * format / static_cast<double>(rows.size()));
    return bareEntries == rows.size() && textLength > 0 ? 0 : 1;
}
