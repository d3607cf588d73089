#include "restore/restore_panel.h"

#include "browser/launch.h"
#include "common/environment.h"
#include "common/file_exists.h"
#include "common/message_box.h"
#include "common/texts.h"
#include "restore/restore.h"

namespace {

// The shared profile's backup folder of that kind, or what the user is told when it is missing.
LocatedSource LocateSharedBackupFolder(BackupFolderKind kind) {
    BackupSource source{SharedProfileFolder(), kind};
    if (FolderExists(BackupFolderPath(source))) return {std::move(source), std::nullopt};
    return {{}, ErrorNotice(std::wstring(BackupFolderName(kind)) + texts::kLocalBackupFolderMissing)};
}

}  // namespace

void RestorePanel::Attach(HWND window, Profile profile) {
    window_ = window;
    profile_ = profile;
    files_.Attach(GetDlgItem(window, kFileList), texts::kBackupPattern);
    const HWND chooser = GetDlgItem(window, kFolderChooser);
    for (const BackupFolderKind kind : {BackupFolderKind::DailyBackup, BackupFolderKind::Backup}) {
        SendMessageW(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(BackupFolderName(kind)).c_str()));
    }
    SendMessageW(chooser, CB_SETCURSEL, 0, 0);
    // Choosing the first entry runs its handler at once, before the window's creation goes on.
    if (profile_ == Profile::Shared) OnFolderChosen();
}

bool RestorePanel::HandleCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kFolderChooser && code == CBN_SELCHANGE) {
        // An account's choice counts from its next search.
        if (profile_ == Profile::Shared) OnFolderChosen();
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

void RestorePanel::Bind(BackupSource source) {
    source_ = std::move(source);
    files_.SetFolder(BackupFolderPath(*source_));
}

BackupFolderKind RestorePanel::ChosenFolder() const {
    return SendDlgItemMessageW(window_, kFolderChooser, CB_GETCURSEL, 0, 0) == 1 ? BackupFolderKind::Backup
                                                                                 : BackupFolderKind::DailyBackup;
}

// A missing folder leaves the list, and where it restores from, as they were.
void RestorePanel::OnFolderChosen() {
    LocatedSource chosen = LocateSharedBackupFolder(ChosenFolder());
    if (chosen.refusal) {
        ShowNotice(window_, *chosen.refusal);
        return;
    }
    Bind(std::move(chosen.source));
}

void RestorePanel::OnRestore() {
    const Notice notice = RestoreFavorites(source_, files_.SelectedName());
    // A restore may have kept the favorites as a new copy in the listed folder.
    files_.Refresh();
    ShowNotice(window_, notice);
}

// The shared profile's undo works on that profile whatever the list shows; an account's only once a search has
// found it.
void RestorePanel::OnUndo() {
    std::optional<BackupSource> source = source_;
    if (profile_ == Profile::Shared) source = BackupSource{SharedProfileFolder(), ChosenFolder()};
    const Notice notice = source ? UndoRestore(*source) : ErrorNotice(texts::kSearchFirst);
    // An undo may have kept the favorites as a new copy in the listed folder.
    files_.Refresh();
    ShowNotice(window_, notice);
}

void RestorePanel::OnLaunch() {
    if (const auto notice = LaunchBrowser()) ShowNotice(window_, *notice);
}
