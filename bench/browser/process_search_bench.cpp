// Prints the time of one IsProcessRunning call against a bare walk of the process snapshot.
#include "browser/process_search.h"

#include "win32/unique_handle.h"

#include <tlhelp32.h>

#include <chrono>
#include <cstdio>

namespace {

int BareSnapshotWalk() {
    const UniqueFileHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        ++count;
    }
    return count;
}

template <class Work>
double MicrosecondsPerCall(Work work, int calls) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        work();
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}

}  // namespace

int main() {
    constexpr int kCalls = 500;
    const int processes = BareSnapshotWalk();
    const double walk = MicrosecondsPerCall(BareSnapshotWalk, kCalls);
    const double search = MicrosecondsPerCall([] { return IsProcessRunning(L"Sogouexplorer.exe"); }, kCalls);
    std::printf("processes running:          %d\n", processes);
    std::printf("bare snapshot walk:         %.1f us per call\n", walk);
    std::printf("IsProcessRunning (no match): %.1f us per call\n", search);
    std::printf("ratio:                      %.2f\n", search / walk);
}
