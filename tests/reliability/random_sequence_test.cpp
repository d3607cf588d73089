// Thousands of random steps against a model of what the favorites and the undo copy must hold: restores of
// random backups, undos, the browser starting and ending, files held by other processes, backups deleted
// and put back, the browser saving new favorites, a read-only favorites file, a full disk. After every step
// the files on disk must be what the model says and the user must have read the message it predicts.
// QB_RANDOM_SEED repeats a run, QB_RANDOM_STEPS sets its length.
#include "common/environment.h"
#include "restore/restore.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <sstream>

namespace {

constexpr int kNone = -1;  // no file
enum Target { kFavorites, kUndoCopy, kBackup };

// One backup copy: where it lies, and the content it holds when present.
struct Backup {
    std::wstring folder;
    std::wstring name;
    int content;
    bool present = true;
};

// What the files must hold, as indexes into the test's contents, and the world around them.
struct Model {
    int favorites = kNone;
    int undoCopy = kNone;
    bool favoritesReadOnly = false;
    bool browserRunning = false;
    bool diskFull = false;
};

// A file held by another process for the whole operation (a brief hold counts as none in the model).
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
        root = std::make_unique<TempFolder>(L"qb-random", mounted);
        appData = std::make_unique<AppDataScope>(root->Path() + L"\\用户 😀 数据\\AppData\\Roaming");
        onSmallDisk = !mounted.empty();
        profile = EnvironmentVariable(L"APPDATA") + L"\\sogouexplorer";
        favorites = profile + L"\\Favorite2.dat";
        undo = profile + L"\\Favorite2Backup.dat";
        MakeFolders(profile + L"\\DailyBackup");
        MakeFolders(profile + L"\\Backup");
        for (const auto& [folder, name] : {std::pair{L"DailyBackup", L"Favorite2.dat.2012.02.27.22"},
                                           {L"DailyBackup", L"Favorite2.dat.2012.02.28.09"},
                                           {L"DailyBackup", L"Favorite2.dat.空的"},
                                           {L"Backup", L"Favorite2.dat.2012.01.01.00 副本 😀"},
                                           {L"Backup", L"Favorite2.dat.2011.12.31.23"}}) {
            // The empty copy can be put in place even on a full disk.
            backups.push_back(
                {folder, name, std::wstring_view(name).ends_with(L"空的") ? NewContent(0) : NewContent()});
            WriteBytes(BackupPath(backups.back()), contents[backups.back().content]);
        }
        model.favorites = NewContent();
        WriteBytes(favorites, contents[model.favorites]);
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
    std::size_t Pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); }

    // What the model predicts, and how the files change.
    Expected PredictRestore(const Backup* backup, const std::optional<Hold>& hold) {
        const auto blocks = [&](Target target, bool shared) {
            return hold && hold->target == target && (shared || hold->share == L"none");
        };
        if (model.browserRunning) return {kBrowserRunningNotice};
        if (!backup || !backup->present) return {kNothingSelectedNotice};
        if (model.undoCopy == kNone && model.favorites != kNone) {
            if (blocks(kFavorites, false) || (model.diskFull && SizeOf(model.favorites) > 0)) {
                return {{}, kSaveUndoCopyFailed};
            }
            model.undoCopy = model.favorites;
        }
        if (blocks(kBackup, false) || model.favoritesReadOnly || (model.diskFull && SizeOf(backup->content) > 0) ||
            blocks(kFavorites, true)) {
            return {{}, kRestoreBackupFailed};
        }
        model.favorites = backup->content;
        return {kRestoredNotice};
    }

    Expected PredictUndo(const std::optional<Hold>& hold) {
        if (model.browserRunning) return {kBrowserRunningNotice};
        if (model.undoCopy == kNone) return {kNothingToUndoNotice};
        if ((hold && hold->target == kUndoCopy && hold->share == L"none") || model.favoritesReadOnly ||
            (model.diskFull && SizeOf(model.undoCopy) > 0) || (hold && hold->target == kFavorites)) {
            return {{}, kRestoreUndoCopyFailed};
        }
        model.favorites = model.undoCopy;
        // A holder that shares deletion does not keep the undo copy from going.
        if (hold && hold->target == kUndoCopy && hold->share != L"all") return {{}, kDeleteUndoCopyFailed};
        model.undoCopy = kNone;
        return {kUndoneNotice};
    }

    // A restore or undo, perhaps while another process holds one of the files briefly or for good.
    std::string Operate() {
        const bool restore = Chance(0.6);
        const Backup* backup = Chance(0.05) ? nullptr : &backups[Pick(backups.size())];
        std::optional<Hold> hold;
        std::wstring heldPath;
        // Holds that end after 100 ms are the common case; holds for good cost a second of retries each.
        const bool brief = Chance(0.8);
        if (Chance(0.1)) {
            static const wchar_t* const kShares[] = {L"none", L"read", L"all"};
            hold = Hold{static_cast<Target>(Pick(3)), kShares[Pick(3)]};
            heldPath = hold->target == kFavorites  ? favorites
                       : hold->target == kUndoCopy ? undo
                       : backup                    ? BackupPath(*backup)
                                                   : std::wstring();
            if (heldPath.empty() || GetFileAttributesW(heldPath.c_str()) == INVALID_FILE_ATTRIBUTES) hold.reset();
        }
        std::ostringstream step;
        step << (restore ? "restore " : "undo") << (!restore ? "" : backup ? Utf8(backup->name) : "(nothing selected)");
        if (hold) {
            step << " while " << Utf8(heldPath.substr(heldPath.find_last_of(L'\\') + 1)) << " is held, sharing "
                 << Utf8(hold->share) << (brief ? ", for 100 ms" : ", for good");
        }

        // Files deleted since the disk filled up gave room back: it is taken again, so the disk is full.
        if (filler) FillUp(filler.Get());
        std::optional<HelperProcess> holder;
        if (hold) holder.emplace(HoldFile(heldPath, hold->share.c_str(), brief ? 100 : 0));
        const std::optional<Hold> felt = brief ? std::nullopt : hold;
        const Expected expected = restore ? PredictRestore(backup, felt) : PredictUndo(felt);
        const Notice notice = !restore ? UndoRestore(profile)
                              : backup ? RestoreFavorites(ListFolder(*backup), backup->name, backup->folder)
                                       : RestoreFavorites(profile + L"\\DailyBackup", L"", L"DailyBackup");
        if (holder && brief) holder->Wait(5000);
        if (expected.failure ? !IsFailure(notice, expected.failure) : notice != expected.notice) {
            step << "\n    the user read: " << testing::PrintToString(notice) << "\n    expected: "
                 << (expected.failure ? Utf8(expected.failure) + "..." : testing::PrintToString(expected.notice));
            problem = true;
        }
        ++(restore ? restores : undos);
        if (hold) ++(brief ? briefHolds : longHolds);
        return step.str();
    }

    // One random step; steps that the moment does not allow are drawn again.
    std::string Step() {
        for (;;) {
            switch (std::discrete_distribution<int>({60, 3, 3, 3, 1, 2, 2})(random)) {
                case 0:
                    return Operate();
                case 1:
                    ++browserSteps;
                    if (model.browserRunning) browser.reset();
                    if (!model.browserRunning) browser.emplace(HelperProcess::StartAs(browserExecutable, {}));
                    model.browserRunning = browser.has_value();
                    return model.browserRunning ? "the browser starts" : "the browser ends";
                case 2: {
                    if (model.diskFull) break;
                    Backup& backup = backups[Pick(backups.size())];
                    backup.present = !backup.present;
                    if (backup.present) WriteBytes(BackupPath(backup), contents[backup.content]);
                    if (!backup.present) DeleteFileW(BackupPath(backup).c_str());
                    return "backup " + Utf8(backup.name) + (backup.present ? " put back" : " deleted");
                }
                case 3:
                    if (model.diskFull || model.favoritesReadOnly) break;
                    model.favorites = NewContent();
                    WriteBytes(favorites, contents[model.favorites]);
                    return "new favorites of " + std::to_string(SizeOf(model.favorites)) + " bytes saved";
                case 4:
                    if (model.favorites == kNone || model.favoritesReadOnly) break;
                    DeleteFileW(favorites.c_str());
                    model.favorites = kNone;
                    return "the favorites file deleted";
                case 5:
                    if (model.favorites == kNone) break;
                    ++readOnlySteps;
                    model.favoritesReadOnly = !model.favoritesReadOnly;
                    SetFileAttributesW(favorites.c_str(),
                                       model.favoritesReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
                    return model.favoritesReadOnly ? "favorites made read-only" : "favorites made writable";
                case 6:
                    if (!onSmallDisk) break;
                    ++diskFullSteps;
                    model.diskFull = !model.diskFull;
                    filler = model.diskFull ? FillDisk(root->Path(), 0) : UniqueFileHandle{};
                    return model.diskFull ? "the disk fills up" : "room on the disk again";
            }
        }
    }

    // The disk against the model; an empty text when they agree.
    std::string Mismatch() const {
        const auto modelled = [&](int content) -> std::optional<std::string> {
            return content == kNone ? std::nullopt : std::optional(contents[content]);
        };
        std::string mismatch;
        for (const auto& [name, path, content] :
             {std::tuple("favorites", favorites, model.favorites), std::tuple("undo copy", undo, model.undoCopy)}) {
            if (ReadBytes(path) != modelled(content)) {
                mismatch += "\n    the " + std::string(name) + " do not hold content " + std::to_string(content);
            }
        }
        std::vector<std::wstring> expected{L"Backup", L"DailyBackup"};
        if (model.favorites != kNone) expected.push_back(L"Favorite2.dat");
        if (model.undoCopy != kNone) expected.push_back(L"Favorite2Backup.dat");
        if (ListNames(profile) != expected)
            mismatch += "\n    profile folder: " + testing::PrintToString(ListNames(profile));
        if (model.favorites != kNone && (HasAttribute(favorites, FILE_ATTRIBUTE_READONLY) != model.favoritesReadOnly ||
                                         HasAttribute(favorites, FILE_ATTRIBUTE_HIDDEN))) {
            mismatch += "\n    the favorites have the wrong attributes";
        }
        for (const Backup& backup : backups) {
            if (ReadBytes(BackupPath(backup)) != modelled(backup.present ? backup.content : kNone)) {
                mismatch += "\n    backup " + Utf8(backup.name) + " changed";
            }
        }
        return mismatch;
    }

    std::unique_ptr<TempFolder> root;
    std::unique_ptr<AppDataScope> appData;
    TempFolder browserFolder{L"qb-random-browser"};
    const std::wstring browserExecutable = browserFolder / L"SogouExplorer\\SogouExplorer.exe";
    bool onSmallDisk = false;
    std::wstring profile;
    std::wstring favorites;
    std::wstring undo;
    const std::uint32_t seed = NumberFromEnvironment(L"QB_RANDOM_SEED", std::random_device{}());
    std::mt19937 random{seed};
    std::vector<std::string> contents;
    std::vector<Backup> backups;
    Model model;
    std::optional<HelperProcess> browser;
    UniqueFileHandle filler;
    bool problem = false;
    int restores = 0, undos = 0, briefHolds = 0, longHolds = 0, browserSteps = 0, readOnlySteps = 0, diskFullSteps = 0;
};

}  // namespace

TEST_F(RandomSequenceTest, TheFilesFollowTheModelThroughThousandsOfRandomSteps) {
    const int steps = static_cast<int>(NumberFromEnvironment(L"QB_RANDOM_STEPS", 3000));
    std::deque<std::string> recent;
    for (int step = 1; step <= steps; ++step) {
        recent.push_back(std::to_string(step) + ": " + Step());
        if (recent.size() > 20) recent.pop_front();
        if (const std::string mismatch = Mismatch(); problem || !mismatch.empty()) {
            std::string log;
            for (const std::string& line : recent)
                log += "\n  " + line;
            FAIL() << "step " << step << " of the run with QB_RANDOM_SEED=" << seed << " went wrong:" << mismatch
                   << "\nthe last steps:" << log;
        }
    }
    std::printf(
        "%d steps, no mismatch: %d restores, %d undos, %d brief holds, %d holds for good, %d browser starts "
        "or ends, %d read-only changes, %d disk-full changes%s\n",
        steps, restores, undos, briefHolds, longHolds, browserSteps, readOnlySteps, diskFullSteps,
        onSmallDisk ? "" : " (no small file system is mounted, so the disk never fills up)");
}
