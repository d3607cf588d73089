// Restore and undo killed at random moments in another process: the favorites and the undo copy stay whole,
// and running the operation again finishes the work and clears what the killed run left behind.
#include "common/environment.h"
#include "reliability_support.h"
#include "restore/restore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <stdexcept>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr std::size_t kMiB = std::size_t{1} << 20;
constexpr int kRunsPerKind = 60;
constexpr DWORD kKilledExitCode = 0xDEAD;
constexpr wchar_t kFirstBackup[] = L"Favorite2.dat.2012.02.27.22";
constexpr wchar_t kSecondBackup[] = L"Favorite2.dat.2012.02.28.09";

std::uint32_t SeedFromEnvironmentOr(std::uint32_t fallback) {
    const std::wstring text = EnvironmentVariable(L"QB_CRASH_SEED");
    return text.empty() ? fallback : static_cast<std::uint32_t>(std::stoul(text));
}

// One start of the runner: whether the kill landed, and how long the operation ran until the process ended.
struct Launch {
    bool killed = false;
    Clock::duration ran{};
};

// Starts qb_crash_runner with `arguments` and, unless `killAfter` is zero, kills it that long after the
// operation began.
Launch RunOperation(const std::wstring& arguments, Clock::duration killAfter) {
    static std::atomic<unsigned> counter{0};
    const std::wstring eventName =
        L"qb-crash-" + std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(counter++);
    const UniqueKernelHandle started{CreateEventW(nullptr, TRUE, FALSE, eventName.c_str())};
    const std::wstring runner = TestBinaryFolder() + L"\\qb_crash_runner.exe";
    std::wstring commandLine = QuoteArgument(runner) + L' ' + eventName + L' ' + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(runner.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        throw std::runtime_error("cannot start the runner: " + std::to_string(GetLastError()));
    }
    const UniqueKernelHandle process{info.hProcess};
    const UniqueKernelHandle thread{info.hThread};
    const HANDLE waits[] = {started.Get(), process.Get()};
    if (WaitForMultipleObjects(2, waits, FALSE, 10000) != WAIT_OBJECT_0) {
        throw std::runtime_error("the runner ended before the operation began");
    }
    const Clock::time_point begin = Clock::now();
    if (killAfter != Clock::duration::zero()) {
        std::this_thread::sleep_until(begin + killAfter);
        if (WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(process.Get(), kKilledExitCode);
    }
    if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) throw std::runtime_error("the runner hangs");
    Launch launch;
    launch.ran = Clock::now() - begin;
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    if (code != 0 && code != kKilledExitCode) throw std::runtime_error("the runner failed: " + std::to_string(code));
    launch.killed = code == kKilledExitCode;
    return launch;
}

// The size of a file from its attributes, without opening it; nothing when it is absent.
std::optional<std::uint64_t> SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// Watches the two files by their attributes only (opening them would get in the way of the replacement)
// while a runner works: the favorites never vanish and never take a size other than before or after, and
// the undo copy, when present, has the size of the original favorites.
class Watcher {
public:
    Watcher(std::wstring favorites,
            std::wstring undoCopy,
            std::vector<std::uint64_t> favoritesSizes,
            std::uint64_t undoCopySize)
        : favorites_(std::move(favorites)),
          undoCopy_(std::move(undoCopy)),
          favoritesSizes_(std::move(favoritesSizes)),
          undoCopySize_(undoCopySize),
          thread_([this](std::stop_token stop) { Watch(stop); }) {}

    // Stops watching; returns the number of looks and of looks that saw a wrong state.
    std::pair<long, long> Finish() {
        thread_.request_stop();
        thread_.join();
        return {looks_, anomalies_};
    }

private:
    void Watch(const std::stop_token& stop) {
        while (!stop.stop_requested()) {
            const auto favorites = SizeOf(favorites_);
            const auto undoCopy = SizeOf(undoCopy_);
            const bool favoritesFine = favorites && std::find(favoritesSizes_.begin(), favoritesSizes_.end(),
                                                              *favorites) != favoritesSizes_.end();
            const bool undoCopyFine = !undoCopy || *undoCopy == undoCopySize_;
            ++looks_;
            if (!favoritesFine || !undoCopyFine) ++anomalies_;
            // Looking without a pause would take the processor from the operation it watches.
            Sleep(1);
        }
    }

    std::wstring favorites_;
    std::wstring undoCopy_;
    std::vector<std::uint64_t> favoritesSizes_;
    std::uint64_t undoCopySize_;
    long looks_ = 0;
    long anomalies_ = 0;
    std::jthread thread_;
};

// What the two files of the profile hold: an index into CrashTest::contents, kAbsent, or contents.size()
// for anything else.
constexpr int kAbsent = -1;
struct Files {
    int favorites = kAbsent;
    int undoCopy = kAbsent;
    bool operator==(const Files&) const = default;
};

// One kind of operation: its runner arguments, the files before and after it, and how the test runs it
// to completion in its own process.
struct Kind {
    std::string name;
    std::wstring arguments;
    Files before;
    Files after;
    std::function<Notice()> complete;
    Notice completed;
};

// Totals of one kind, printed at the end.
struct Tally {
    int runs = 0;
    int kills = 0;
    int violations = 0;
    int temporariesLeft = 0;
    int temporariesInSight = 0;
    long looks = 0;
    long anomalies = 0;
    std::map<std::string, int> statesAfterKill;
};

class CrashTest : public testing::Test {
protected:
    enum Content { kOriginal, kFirst, kSecond };

    CrashTest() {
        MakeFolders(daily);
        WriteBytes(daily + L'\\' + kFirstBackup, first);
        WriteBytes(daily + L'\\' + kSecondBackup, second);
        std::printf("seed %u (set QB_CRASH_SEED to repeat)\n", seed);
    }

    Kind FirstRestore() {
        return {"restore, no undo copy yet",
                RestoreArguments(kFirstBackup),
                {kOriginal, kAbsent},
                {kFirst, kOriginal},
                [this] { return RestoreFavorites(daily, kFirstBackup, L"DailyBackup"); },
                kRestoredNotice};
    }
    Kind SecondRestore() {
        return {"restore, undo copy kept",
                RestoreArguments(kSecondBackup),
                {kFirst, kOriginal},
                {kSecond, kOriginal},
                [this] { return RestoreFavorites(daily, kSecondBackup, L"DailyBackup"); },
                kRestoredNotice};
    }
    Kind Undo() {
        return {"undo",
                L"undo " + QuoteArgument(profile),
                {kFirst, kOriginal},
                {kOriginal, kAbsent},
                [this] { return UndoRestore(profile); },
                kUndoneNotice};
    }

    std::wstring RestoreArguments(const std::wstring& name) const {
        return L"restore " + QuoteArgument(daily) + L' ' + QuoteArgument(name) + L" DailyBackup";
    }

    Files Read() const { return {Identify(favorites, contents), Identify(undo, contents)}; }

    void Put(const Files& files) {
        const Files now = Read();
        if (now.favorites != files.favorites) PutFile(favorites, files.favorites);
        if (now.undoCopy != files.undoCopy) PutFile(undo, files.undoCopy);
    }
    void PutFile(const std::wstring& path, int content) const {
        if (content == kAbsent) {
            DeleteFileW(path.c_str());
        } else {
            WriteBytes(path, *contents[content]);
        }
    }

    static std::string Label(int content) {
        static const char* const kNames[] = {"original", "first backup", "second backup", "something else"};
        return content == kAbsent ? "absent" : kNames[content];
    }
    static std::string Label(const Files& files) {
        return "favorites " + Label(files.favorites) + ", undo copy " + Label(files.undoCopy);
    }

    // The time one uninterrupted run of the operation takes, from its start to the runner's end.
    Clock::duration MeasureDuration(const Kind& kind) {
        std::vector<Clock::duration> durations;
        for (int i = 0; i < 3; ++i) {
            Put(kind.before);
            durations.push_back(RunOperation(kind.arguments, Clock::duration::zero()).ran);
            EXPECT_EQ(Label(Read()), Label(kind.after)) << kind.name;
        }
        std::sort(durations.begin(), durations.end());
        std::printf("%s: one run takes %.0f ms on %zu MiB of favorites\n", kind.name.c_str(),
                    Milliseconds(durations[1]).count(), original.size() / kMiB);
        return durations[1];
    }

    // Kills one run at a random moment of the operation, checks what the files hold, then runs the operation
    // to its end in this process and checks the result.
    void KillAndComplete(const Kind& kind, Clock::duration duration, Tally& tally) {
        Put(kind.before);
        const auto killAfter = std::chrono::duration_cast<Clock::duration>(
            duration * std::uniform_real_distribution<double>(0.0, 1.0)(random) + std::chrono::microseconds(1));
        Watcher watcher(favorites, undo,
                        {contents[kind.before.favorites]->size(), contents[kind.after.favorites]->size()},
                        original.size());
        const Launch launch = RunOperation(kind.arguments, killAfter);
        const auto [looks, anomalies] = watcher.Finish();
        ++tally.runs;
        tally.looks += looks;
        tally.anomalies += anomalies;
        EXPECT_EQ(anomalies, 0) << kind.name << ", killed " << Milliseconds(killAfter).count() << " ms in";

        const Files killed = Read();
        const bool favoritesWhole =
            killed.favorites == kind.before.favorites || killed.favorites == kind.after.favorites;
        const bool undoCopyWhole = killed.undoCopy == kAbsent || killed.undoCopy == kOriginal;
        const bool originalKept = killed.favorites == kOriginal || killed.undoCopy == kOriginal;
        // A killed copy stays hidden. Only two moments can leave one in sight: between showing the finished
        // copy and renaming it over its destination (then it is whole), and under Wine between creating the
        // file and setting its attributes, which are two steps there (then it is empty).
        const std::vector<std::wstring> temporaries = Temporaries(profile);
        int visible = 0;
        bool temporariesFine = true;
        for (const std::wstring& name : temporaries) {
            const std::wstring path = profile + L'\\' + name;
            if (IsHidden(path)) continue;
            ++visible;
            temporariesFine =
                temporariesFine && (SizeOf(path) == 0u || Identify(path, contents) < static_cast<int>(contents.size()));
        }
        if (!favoritesWhole || !undoCopyWhole || !originalKept || !temporariesFine) {
            ++tally.violations;
            ADD_FAILURE() << kind.name << ", killed " << Milliseconds(killAfter).count() << " ms in: " << Label(killed)
                          << (temporariesFine ? "" : ", a half-written temporary file is in sight");
        }
        if (launch.killed) {
            ++tally.kills;
            ++tally.statesAfterKill[Label(killed)];
            if (!temporaries.empty()) ++tally.temporariesLeft;
            if (visible != 0) ++tally.temporariesInSight;
        }

        const Notice notice = kind.complete();
        // An undo killed after its last step has nothing left to do.
        const bool nothingLeft = kind.after.undoCopy == kAbsent && killed.undoCopy == kAbsent;
        EXPECT_EQ(notice, nothingLeft ? kNothingToUndoNotice : kind.completed) << kind.name << ": " << Describe(notice);
        EXPECT_EQ(Label(Read()), Label(kind.after)) << kind.name << ", completed after a kill";
        EXPECT_EQ(Temporaries(profile), std::vector<std::wstring>{}) << kind.name;
    }

    static void Print(const Kind& kind, const Tally& tally) {
        std::printf(
            "%s: %d runs, %d killed, %d invariant violations; %ld looks at the files while running, %ld wrong;"
            " %d kills left a temporary file, %d of them not hidden\n",
            kind.name.c_str(), tally.runs, tally.kills, tally.violations, tally.looks, tally.anomalies,
            tally.temporariesLeft, tally.temporariesInSight);
        for (const auto& [state, count] : tally.statesAfterKill) {
            std::printf("    after the kill: %s: %d\n", state.c_str(), count);
        }
    }

    // The kills must land all over the operation, or the test proves little.
    static void ExpectSpread(const Kind& kind, const Tally& tally) {
        EXPECT_EQ(tally.violations, 0);
        EXPECT_GE(tally.kills, tally.runs / 2) << kind.name;
        EXPECT_LE(tally.temporariesInSight, tally.kills / 10) << kind.name;
        EXPECT_TRUE(tally.statesAfterKill.contains(Label(kind.before))) << kind.name;
        EXPECT_TRUE(tally.statesAfterKill.contains(Label(kind.after))) << kind.name;
    }

    TempFolder root{L"qb-crash"};
    std::wstring profile = root / L"sogouexplorer";
    std::wstring daily = profile + L"\\DailyBackup";
    std::wstring favorites = profile + L"\\Favorite2.dat";
    std::wstring undo = profile + L"\\Favorite2Backup.dat";
    // Three sizes, so that the watcher can tell the contents apart by size alone.
    const std::string original = Pattern(32 * kMiB, 1);
    const std::string first = Pattern(30 * kMiB, 2);
    const std::string second = Pattern(28 * kMiB, 3);
    const std::vector<const std::string*> contents{&original, &first, &second};
    const std::uint32_t seed = SeedFromEnvironmentOr(std::random_device{}());
    std::mt19937 random{seed};
};

}  // namespace

TEST_F(CrashTest, RestoreKilledAtAnyMomentLeavesWholeFilesAndARunAgainFinishesIt) {
    const Kind kinds[] = {FirstRestore(), SecondRestore()};
    Clock::duration durations[2];
    Tally tallies[2];
    for (int k = 0; k < 2; ++k) {
        durations[k] = MeasureDuration(kinds[k]);
    }
    // The first restore's result is where the second starts: they take turns.
    for (int run = 0; run < kRunsPerKind; ++run) {
        for (int k = 0; k < 2; ++k) {
            KillAndComplete(kinds[k], durations[k], tallies[k]);
        }
    }
    for (int k = 0; k < 2; ++k) {
        Print(kinds[k], tallies[k]);
        ExpectSpread(kinds[k], tallies[k]);
    }
}

TEST_F(CrashTest, UndoKilledAtAnyMomentLeavesWholeFilesAndARunAgainFinishesIt) {
    const Kind kind = Undo();
    const Clock::duration duration = MeasureDuration(kind);
    Tally tally;
    for (int run = 0; run < kRunsPerKind; ++run) {
        KillAndComplete(kind, duration, tally);
    }
    Print(kind, tally);
    ExpectSpread(kind, tally);
}
