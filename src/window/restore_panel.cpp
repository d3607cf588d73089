#include "window/restore_panel.h"

#include "browser/launch.h"
#include "filesystem/file_exists.h"
#include "messages/texts.h"
#include "profile/restore.h"
#include "window/backup_tips.h"
#include "window/message_box.h"
#include "window/time_texts.h"
#include "window/wait_cursor.h"

#include <commctrl.h>

RestorePanel::RestorePanel() : facts_([this] { PostMessageW(window_, kFactsReadyMessage, 0, 0); }) {}

bool RestorePanel::Attach(HWND window, Listing listing) {
    window_ = window;
    listing_ = listing;
    const HWND list = GetDlgItem(window, kFileList);
    files_.Attach(list, texts::kBackupPattern);
    const HWND chooser = GetDlgItem(window, kFolderChooser);
    for (const BackupFolderKind kind : kBackupFolderKinds) {
        SendMessageW(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(BackupFolderName(kind)).c_str()));
    }
    SendMessageW(chooser, CB_SETCURSEL, 0, 0);
    const bool following =
        fileTip_.Attach(list, 0, TTI_NONE,
                        {[this](POINT point) { return files_.Name(files_.EntryAt(point)); },
                         [this](const std::wstring& name, bool fresh) {
                             return listed_ ? BackupTip(listed_->BackupFolder(listedFolder_), name, fresh) : name;
                         },
                         [this](HWND tip, const std::wstring& name) { PlaceFileTip(tip, name); }});
    // Choosing the first entry runs its handler at once, before the window's creation goes on.
    if (listing_ == Listing::SharedProfile) OnFolderChosen();
    return following;
}

void RestorePanel::OnLayout() {
    files_.Fit();
    fileTip_.Remake();
}

void RestorePanel::SetHooks(std::function<std::optional<Notice>()> refusal, std::function<void()> changed) {
    refusal_ = std::move(refusal);
    changed_ = std::move(changed);
}

std::wstring RestorePanel::BackupTip(const std::wstring& folder, const std::wstring& name, bool fresh) {
    if (!listed_) return name;
    const FactsRequest request{*listed_, folder, name};
    if (fresh) {
        facts_.Ask(request);
        return name;
    }
    const auto facts = facts_.Take(request);
    return facts ? name + FactLines(*facts, SavedAtText(*facts)) : name;
}

// Just below the entry the tip names, or just above it where the screen ends, so that it never hides that entry.
void RestorePanel::PlaceFileTip(HWND tip, const std::wstring& name) {
    const HWND list = GetDlgItem(window_, kFileList);
    RECT entry{}, placed{};
    if (SendMessageW(list, LB_GETITEMRECT, files_.IndexOf(name), reinterpret_cast<LPARAM>(&entry)) == LB_ERR) return;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&entry), 2);
    GetWindowRect(tip, &placed);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&entry, MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG height = placed.bottom - placed.top;
    const LONG top = entry.bottom + height <= monitor.rcWork.bottom ? entry.bottom : entry.top - height;
    SetWindowPos(tip, nullptr, placed.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool RestorePanel::HandleCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kFolderChooser && code == CBN_SELCHANGE) {
        // An account's choice counts from its next search.
        if (listing_ == Listing::SharedProfile) OnFolderChosen();
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case kRestoreButton:
            OnRestore();
            return true;
        case kUndoButton:
            OnUndo();
            return true;
        case kLaunchButton:
            OnLaunch();
            return true;
    }
    return false;
}

void RestorePanel::Bind(Profile profile, BackupFolderKind folder) {
    listed_ = std::move(profile);
    listedFolder_ = chosenBefore_ = folder;
    files_.SetFolder(listed_->BackupFolder(folder));
    facts_.Forget();
    fileTip_.Refresh();
}

BackupFolderKind RestorePanel::ChosenFolder() const {
    return SendDlgItemMessageW(window_, kFolderChooser, CB_GETCURSEL, 0, 0) == 1 ? BackupFolderKind::Backup
                                                                                 : BackupFolderKind::DailyBackup;
}

void RestorePanel::SelectChooser(BackupFolderKind folder) {
    SendDlgItemMessageW(window_, kFolderChooser, CB_SETCURSEL, folder == BackupFolderKind::Backup ? 1 : 0, 0);
}

// A missing folder leaves the list, and where it restores from, as they were; the chooser goes back to the folder
// the list shows (or, while it shows none, to what it named before).
void RestorePanel::OnFolderChosen() {
    const BackupFolderKind chosen = ChosenFolder();
    Located<Profile> shared = Profile::Shared();
    if (shared.found && !FolderExists(shared.found->BackupFolder(chosen))) {
        shared = {std::nullopt, ErrorNotice(std::wstring(BackupFolderName(chosen)) + texts::kNoAccountFolderMissing)};
    }
    if (!shared.found) {
        ShowNotice(window_, shared.refusal);
        SelectChooser(listed_ ? listedFolder_ : chosenBefore_);
        return;
    }
    Bind(std::move(*shared.found), chosen);
}

void RestorePanel::OnRestore() {
    if (const auto refusal = refusal_ ? refusal_() : std::nullopt) return ShowNotice(window_, *refusal);
    const std::wstring name = files_.SelectedName();
    Notice notice;
    {
        const WaitCursor hourglass;
        notice = RestoreFavorites(listed_, listedFolder_, name);
    }
    if (notice.question) {
        // Only Yes restores the backup all the same; a window closed while it asked has nothing more to say.
        if (!AskYes(window_, notice) || !IsWindow(window_)) return;
        const WaitCursor hourglass;
        notice = RestoreFavorites(listed_, listedFolder_, name, true);
    }
    AfterOperation(notice);
}

// The shared profile's undo works on that profile whatever the list shows; an account's only once a search has
// found it.
void RestorePanel::OnUndo() {
    if (const auto refusal = refusal_ ? refusal_() : std::nullopt) return ShowNotice(window_, *refusal);
    Notice notice = ErrorNotice(texts::kSearchFirst);
    if (listing_ == Listing::SharedProfile) {
        const Located<Profile> shared = Profile::Shared();
        notice = shared.found ? UndoRestore(*shared.found, ChosenFolder()) : shared.refusal;
    } else if (listed_) {
        notice = UndoRestore(*listed_, listedFolder_);
    }
    AfterOperation(notice);
}

// A restore or an undo may have kept the favorites as a new copy in the listed folder, and changed the files that the
// tips tell of: the list and what is known of the files anew, then the notice. The tips are made again once more
// after it, as the box may have covered the entry that the pointer rests on.
void RestorePanel::AfterOperation(const Notice& notice) {
    files_.Refresh();
    facts_.Forget();
    fileTip_.Refresh();
    ShowNotice(window_, notice);
    fileTip_.Refresh();
    if (changed_) changed_();
}

void RestorePanel::OnLaunch() {
    if (const auto notice = LaunchBrowser()) ShowNotice(window_, *notice);
}
