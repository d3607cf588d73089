// Prints the time to the facts of one backup against a 50 MiB favorites file, for a copy of the same bytes, one of
// another size and a damaged one: medians of runs that each start with nothing read (the files in the system's cache
// after the first), and once the files are read.
#include "profile/facts_reader.h"
#include "test_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr std::size_t kPages = 50 * 1024;  // of 1024 bytes: 50 MiB
constexpr int kRuns = 9;

template <class Work>
double Milliseconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    const TempFolder profile(L"qb-facts-bench");
    const std::wstring daily = profile / L"DailyBackup";
    MakeFolders(daily);
    const std::string favorites = Database(kPages, 1);
    WriteBytes(profile / L"Favorite2.dat", favorites);
    const std::pair<const wchar_t*, std::string> backups[] = {
        {L"Favorite2.dat.2012.02.27.22", favorites},
        {L"Favorite2.dat.2012.02.26.22", Database(kPages * 4 / 5, 2)},
        {L"Favorite2.dat.2012.02.25.22", Database(kPages, 3).substr(0, kPages * 1024 - 100)},
    };
    for (const auto& [name, bytes] : backups)
        WriteBytes(daily + L'\\' + name, bytes);

    std::printf("facts of one backup against a %zu MiB favorites file, medians of %d runs:\n", kPages / 1024, kRuns);
    const char* const kinds[] = {"the same bytes", "another size", "damaged"};
    int failures = 0;
    for (std::size_t i = 0; i < std::size(backups); ++i) {
        std::vector<double> first, known;
        for (int run = 0; run < kRuns; ++run) {
            FileReads reads;
            const FactsRequest request{Profile(profile.Path()), daily, backups[i].first};
            BackupFacts facts;
            first.push_back(Milliseconds([&] { facts = WorkOutFacts(request, reads); }));
            known.push_back(Milliseconds([&] { facts = WorkOutFacts(request, reads); }));
            failures += facts.damaged != (i == 2) || (facts.favorites == FavoritesMatch::Same) != (i == 0);
        }
        std::printf("  %-15s first pointed at %7.2f ms, again %6.3f ms\n", kinds[i], Median(first), Median(known));
    }
    return failures == 0 ? 0 : 1;
}
