// Thousands of random steps against a model of what the favorites and the undo copy must hold: restores of
// random backups, undos, the browser starting and ending, files held by other processes, backups deleted
// and put back, the browser saving new favorites, a read-only favorites file, a full disk. After every step
// the files on disk must be what the model says and the user must have read the message it predicts.
// QB_RANDOM_SEED repeats a run, QB_RANDOM_STEPS sets its length.
#include "common/environment.h"
#include "common/file_exists.h"
#include "reliability_support.h"
#include "restore/restore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <sstream>

namespace {

constexpr int kDefaultSteps = 3000;
constexpr DWORD kBriefHoldMs = 100;

std::uint32_t NumberFromEnvironment(const wchar_t* name, std::uint32_t fallback) {
    const std::wstring text = EnvironmentVariable(name);
    return text.empty() ? fallback : static_cast<std::uint32_t>(std::stoul(text));
}

constexpr int kNone = -1;

// One backup copy of the catalog: where it lies, and the content it holds when present.
struct Backup {
    std::wstring folder;
    std::wstring name;
    int content;
    bool present = true;
};

// What the files must hold, as indexes into the test's contents (kNone: no file), and the world around them.
struct Model {
    int favorites = kNone;
    int undoCopy = kNone;
    bool favoritesReadOnly = false;
    bool browserRunning = false;
    bool diskFull = false;
};

enum class Target { Favorites, UndoCopy, Backup };

// A file held by another process for the whole operation; a brief hold counts as none in the model.
struct Hold {
    Target target;
    std::wstring share;
};

// What the user must read after an operation: a notice exactly, or a failure that starts with a text.
struct Expected {
    Notice notice;
    const wchar_t* failure = nullptr;
};

class RandomSequenceTest : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring mounted = MountedFolder(L"QB_RANDOM_FOLDER");
        if (!mounted.empty()) {
            onSmallDisk = std::make_unique<FolderIn>(mounted);
            root = onSmallDisk->Path();
        } else {
            root = fallback.Path();
        }
        appData = std::make_unique<AppDataScope>(root + L"\\用户 😀 数据\\AppData\\Roaming");
        profile = EnvironmentVariable(L"APPDATA") + L"\\sogouexplorer";
        favoritesPath = profile + L"\\Favorite2.dat";
        undoPath = profile + L"\\Favorite2Backup.dat";
        MakeFolders(profile + L"\\DailyBackup");
        MakeFolders(profile + L"\\Backup");

        const std::pair<const wchar_t*, const wchar_t*> names[] = {
            {L"DailyBackup", L"Favorite2.dat.2012.02.27.22"}, {L"DailyBackup", L"Favorite2.dat.2012.02.28.09"},
            {L"DailyBackup", L"Favorite2.dat.空的"},          {L"Backup", L"Favorite2.dat.2012.01.01.00 副本 😀"},
            {L"Backup", L"Favorite2.dat.2011.12.31.23"},
        };
        for (const auto& [folder, name] : names) {
            // The third copy is empty: it can be put in place even on a full disk.
            const int content = std::wstring_view(name).ends_with(L"空的") ? NewContent(0) : NewContent();
            backups.push_back({folder, name, content});
            WriteBytes(BackupPath(backups.back()), contents[content]);
        }
        model.favorites = NewContent();
        WriteBytes(favoritesPath, contents[model.favorites]);
    }

    int NewContent(std::size_t size) {
        contents.push_back(Pattern(size, static_cast<std::uint32_t>(contents.size()) + 1));
        return static_cast<int>(contents.size()) - 1;
    }
    int NewContent() { return NewContent(std::uniform_int_distribution<std::size_t>(1, 48 * 1024)(random)); }

    std::wstring ListFolder(const Backup& backup) const { return profile + L'\\' + backup.folder; }
    std::wstring BackupPath(const Backup& backup) const { return ListFolder(backup) + L'\\' + backup.name; }

    std::size_t SizeOf(int content) const { return content == kNone ? 0 : contents[content].size(); }

    bool Chance(double probability) { return std::bernoulli_distribution(probability)(random); }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
    }

    // --- What the model predicts ------------------------------------------------------------------------

    static bool Blocks(const std::optional<Hold>& hold, Target target, bool onlyWithoutSharing) {
        return hold && hold->target == target && (!onlyWithoutSharing || hold->share == L"none");
    }

    Expected PredictRestore(const Backup* backup, const std::optional<Hold>& hold) {
        if (model.browserRunning) return {kBrowserRunningNotice};
        if (!backup || !backup->present) return {kNothingSelectedNotice};
        if (model.undoCopy == kNone && model.favorites != kNone) {
            if (Blocks(hold, Target::Favorites, true) || (model.diskFull && SizeOf(model.favorites) > 0)) {
                return {{}, kSaveUndoCopyFailed};
            }
            model.undoCopy = model.favorites;
        }
        if (Blocks(hold, Target::Backup, true) || model.favoritesReadOnly ||
            (model.diskFull && SizeOf(backup->content) > 0) || Blocks(hold, Target::Favorites, false)) {
            return {{}, kRestoreBackupFailed};
        }
        model.favorites = backup->content;
        return {kRestoredNotice};
    }

    Expected PredictUndo(const std::optional<Hold>& hold) {
        if (model.browserRunning) return {kBrowserRunningNotice};
        if (model.undoCopy == kNone) return {kNothingToUndoNotice};
        if (Blocks(hold, Target::UndoCopy, true) || model.favoritesReadOnly ||
            (model.diskFull && SizeOf(model.undoCopy) > 0) || Blocks(hold, Target::Favorites, false)) {
            return {{}, kRestoreUndoCopyFailed};
        }
        model.favorites = model.undoCopy;
        // A holder that shares deletion does not keep the undo copy from going.
        if (hold && hold->target == Target::UndoCopy && hold->share != L"all") return {{}, kDeleteUndoCopyFailed};
        model.undoCopy = kNone;
        return {kUndoneNotice};
    }

    // --- The steps --------------------------------------------------------------------------------------

    // A restore or undo, perhaps while another process holds one of the files briefly or for good.
    std::string Operate() {
        const bool restore = Chance(0.6);
        const Backup* backup = Chance(0.05) ? nullptr : &Pick(backups);
        std::optional<Hold> hold;
        bool brief = false;
        std::wstring heldPath;
        if (Chance(0.1)) {
            static const std::vector<Target> kTargets{Target::Favorites, Target::UndoCopy, Target::Backup};
            static const std::vector<std::wstring> kShares{L"none", L"read", L"all"};
            hold = Hold{Pick(kTargets), Pick(kShares)};
            heldPath = hold->target == Target::Favorites  ? favoritesPath
                       : hold->target == Target::UndoCopy ? undoPath
                       : backup                           ? BackupPath(*backup)
                                                          : std::wstring();
            // Holds that end after 100 ms are the common case; holds for good cost a second of retries each.
            brief = Chance(0.8);
            if (heldPath.empty() || !FileExists(heldPath)) hold.reset();
        }

        std::ostringstream step;
        step << (restore ? "restore " : "undo");
        if (restore) step << (backup ? Utf8(backup->folder + L"\\" + backup->name) : "(nothing selected)");
        if (hold) {
            step << " while " << Utf8(heldPath.substr(heldPath.find_last_of(L'\\') + 1)) << " is held, sharing "
                 << Utf8(hold->share) << (brief ? ", for 100 ms" : ", for good");
        }

        // Files deleted since the disk filled up gave room back: it is taken again, so the disk is full.
        if (filler) filler->Fill();
        std::optional<HelperProcess> holder;
        if (hold) holder.emplace(HoldFile(heldPath, hold->share.c_str(), brief ? kBriefHoldMs : 0));
        const std::optional<Hold> felt = brief ? std::nullopt : hold;
        Expected expected;
        Notice notice;
        if (restore) {
            expected = PredictRestore(backup, felt);
            notice = backup ? RestoreFavorites(ListFolder(*backup), backup->name, backup->folder)
                            : RestoreFavorites(profile + L"\\DailyBackup", L"", L"DailyBackup");
        } else {
            expected = PredictUndo(felt);
            notice = UndoRestore(profile);
        }
        if (holder) {
            if (brief) {
                holder->Wait(5000);
            } else {
                holder->Stop();
            }
        }
        const bool asExpected = expected.failure ? IsFailure(notice, expected.failure) : notice == expected.notice;
        if (!asExpected) {
            step << "\n    the user read: " << Describe(notice) << "\n    expected: "
                 << (expected.failure ? Utf8(expected.failure) + "..." : Describe(expected.notice));
            problem = true;
        }
        ++(restore ? restores : undos);
        if (hold) ++(brief ? briefHolds : longHolds);
        return step.str();
    }

    std::string ToggleBrowser() {
        ++browserSteps;
        if (browser) {
            browser.reset();
            model.browserRunning = false;
            return "the browser ends";
        }
        browser.emplace(HelperProcess::StartAs(browserFolder / L"SogouExplorer\\SogouExplorer.exe", {}));
        model.browserRunning = true;
        return "the browser starts";
    }

    std::string ToggleBackup() {
        Backup& backup = backups[std::uniform_int_distribution<std::size_t>(0, backups.size() - 1)(random)];
        backup.present = !backup.present;
        if (backup.present) {
            WriteBytes(BackupPath(backup), contents[backup.content]);
            return "backup " + Utf8(backup.name) + " put back";
        }
        DeleteFileW(BackupPath(backup).c_str());
        return "backup " + Utf8(backup.name) + " deleted";
    }

    std::string BrowserSavesFavorites() {
        model.favorites = NewContent();
        WriteBytes(favoritesPath, contents[model.favorites]);
        return "new favorites of " + std::to_string(SizeOf(model.favorites)) + " bytes saved";
    }

    std::string DeleteFavorites() {
        DeleteFileW(favoritesPath.c_str());
        model.favorites = kNone;
        return "the favorites file deleted";
    }

    std::string ToggleReadOnly() {
        model.favoritesReadOnly = !model.favoritesReadOnly;
        SetFileAttributesW(favoritesPath.c_str(),
                           model.favoritesReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        ++readOnlySteps;
        return model.favoritesReadOnly ? "favorites made read-only" : "favorites made writable";
    }

    std::string ToggleDiskFull() {
        ++diskFullSteps;
        model.diskFull = !model.diskFull;
        if (model.diskFull) {
            filler = std::make_unique<DiskFiller>(root, 0);
            return "the disk fills up";
        }
        filler.reset();
        return "room on the disk again";
    }

    // One random step; steps that the moment does not allow are drawn again.
    std::string Step() {
        for (;;) {
            const int kind = std::discrete_distribution<int>({60, 3, 3, 3, 1, 2, 2})(random);
            const bool canWrite = !model.diskFull;
            switch (kind) {
                case 0:
                    return Operate();
                case 1:
                    return ToggleBrowser();
                case 2:
                    if (canWrite) return ToggleBackup();
                    break;
                case 3:
                    if (canWrite && !model.favoritesReadOnly) return BrowserSavesFavorites();
                    break;
                case 4:
                    if (model.favorites != kNone && !model.favoritesReadOnly) return DeleteFavorites();
                    break;
                case 5:
                    if (model.favorites != kNone) return ToggleReadOnly();
                    break;
                case 6:
                    if (onSmallDisk) return ToggleDiskFull();
                    break;
            }
        }
    }

    // --- Checks -----------------------------------------------------------------------------------------

    std::string Label(const std::optional<std::string>& bytes) const {
        if (!bytes) return "absent";
        for (std::size_t index = 0; index < contents.size(); ++index) {
            if (contents[index] == *bytes) return "content " + std::to_string(index);
        }
        return "unknown " + std::to_string(bytes->size()) + " bytes";
    }
    std::string Label(int content) const { return content == kNone ? "absent" : "content " + std::to_string(content); }

    // The disk against the model; an empty text when they agree.
    std::string Mismatch() const {
        std::string mismatch;
        const auto favorites = ReadBytes(favoritesPath);
        const auto undoCopy = ReadBytes(undoPath);
        if (Label(favorites) != Label(model.favorites)) {
            mismatch += "\n    favorites: " + Label(favorites) + ", expected " + Label(model.favorites);
        }
        if (Label(undoCopy) != Label(model.undoCopy)) {
            mismatch += "\n    undo copy: " + Label(undoCopy) + ", expected " + Label(model.undoCopy);
        }
        std::vector<std::wstring> expected{L"Backup", L"DailyBackup"};
        if (model.favorites != kNone) expected.push_back(L"Favorite2.dat");
        if (model.undoCopy != kNone) expected.push_back(L"Favorite2Backup.dat");
        if (ListNames(profile) != expected) {
            mismatch += "\n    profile folder:";
            for (const auto& name : ListNames(profile)) {
                mismatch += ' ';
                mismatch += Utf8(name);
            }
        }
        if (model.favorites != kNone &&
            (IsReadOnly(favoritesPath) != model.favoritesReadOnly || IsHidden(favoritesPath))) {
            mismatch += "\n    the favorites have the wrong attributes";
        }
        for (const Backup& backup : backups) {
            const auto bytes = ReadBytes(BackupPath(backup));
            if (Label(bytes) != Label(backup.present ? backup.content : kNone)) {
                mismatch += "\n    backup " + Utf8(backup.name) + " changed";
            }
        }
        return mismatch;
    }

    TempFolder fallback{L"qb-random"};
    TempFolder browserFolder{L"qb-random-browser"};
    std::unique_ptr<FolderIn> onSmallDisk;
    std::wstring root;
    std::unique_ptr<AppDataScope> appData;
    std::wstring profile;
    std::wstring favoritesPath;
    std::wstring undoPath;

    const std::uint32_t seed = NumberFromEnvironment(L"QB_RANDOM_SEED", std::random_device{}());
    std::mt19937 random{seed};
    std::vector<std::string> contents;
    std::vector<Backup> backups;
    Model model;
    std::optional<HelperProcess> browser;
    std::unique_ptr<DiskFiller> filler;
    bool problem = false;

    int restores = 0;
    int undos = 0;
    int briefHolds = 0;
    int longHolds = 0;
    int browserSteps = 0;
    int readOnlySteps = 0;
    int diskFullSteps = 0;
};

}  // namespace

TEST_F(RandomSequenceTest, TheFilesFollowTheModelThroughThousandsOfRandomSteps) {
    const int steps = static_cast<int>(NumberFromEnvironment(L"QB_RANDOM_STEPS", kDefaultSteps));
    std::printf("seed %u (QB_RANDOM_SEED=%u repeats this run), %d steps%s\n", seed, seed, steps,
                onSmallDisk ? "" : "; no small file system is mounted, so the disk never fills up");
    std::deque<std::string> recent;
    for (int step = 1; step <= steps; ++step) {
        recent.push_back(std::to_string(step) + ": " + Step());
        if (recent.size() > 20) recent.pop_front();
        const std::string mismatch = Mismatch();
        if (problem || !mismatch.empty()) {
            std::string log;
            for (const std::string& line : recent)
                log += "\n  " + line;
            FAIL() << "step " << step << " of the run with QB_RANDOM_SEED=" << seed << " went wrong:" << mismatch
                   << "\nthe last steps:" << log;
        }
    }
    std::printf(
        "%d steps, no mismatch: %d restores, %d undos, %d brief holds, %d holds for good, %d browser starts "
        "or ends, %d read-only changes, %d disk-full changes\n",
        steps, restores, undos, briefHolds, longHolds, browserSteps, readOnlySteps, diskFullSteps);
}
