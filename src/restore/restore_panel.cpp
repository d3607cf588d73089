#include "restore/restore_panel.h"

#include "browser/launch.h"
#include "common/environment.h"
#include "common/file_exists.h"
#include "common/message_box.h"
#include "common/texts.h"
#include "restore/restore.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

// The shared profile's backup folder of that kind, or what the user is told when it is missing.
LocatedSource LocateSharedBackupFolder(BackupFolderKind kind) {
    BackupSource source{SharedProfileFolder(), kind};
    if (FolderExists(BackupFolderPath(source))) return {std::move(source), std::nullopt};
    return {{}, ErrorNotice(std::wstring(BackupFolderName(kind)) + texts::kLocalBackupFolderMissing)};
}

}  // namespace

bool RestorePanel::Attach(HWND window, Profile profile) {
    window_ = window;
    profile_ = profile;
    const HWND list = GetDlgItem(window, kFileList);
    files_.Attach(list, texts::kBackupPattern);
    fileTip_.Create(list);
    AllowTipLines(fileTip_.Window());
    const HWND chooser = GetDlgItem(window, kFolderChooser);
    for (const BackupFolderKind kind : {BackupFolderKind::DailyBackup, BackupFolderKind::Backup}) {
        SendMessageW(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(BackupFolderName(kind)).c_str()));
    }
    SendMessageW(chooser, CB_SETCURSEL, 0, 0);
    // Choosing the first entry runs its handler at once, before the window's creation goes on.
    if (profile_ == Profile::Shared) OnFolderChosen();
    return SetWindowSubclass(list, FileListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void RestorePanel::OnLayout() {
    if (!fileTip_.Window()) return;
    fileTip_.Create(GetDlgItem(window_, kFileList));
    AllowTipLines(fileTip_.Window());
}

LRESULT CALLBACK RestorePanel::FileListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR panel) {
    auto* self = reinterpret_cast<RestorePanel*>(panel);
    if (message == WM_MOUSEMOVE) self->OnFileListMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TTN_SHOW && header->hwndFrom == self->fileTip_.Window()) {
            self->PlaceFileTip();
            return TRUE;
        }
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The tip names the entry under the pointer, and none past the last entry. On another entry the old tip goes at
// once; the new one shows after the usual pause.
void RestorePanel::OnFileListMouseMove(POINT point) {
    // The list box names the nearest entry also for a point below the last one.
    const HWND list = GetDlgItem(window_, kFileList);
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    RECT rect{};
    const bool onEntry = !HIWORD(hit) &&
                         SendMessageW(list, LB_GETITEMRECT, LOWORD(hit), reinterpret_cast<LPARAM>(&rect)) != LB_ERR &&
                         PtInRect(&rect, point);
    const int entry = onEntry ? LOWORD(hit) : -1;
    if (entry == tipEntry_) return;
    tipEntry_ = entry;
    if (fileTip_.Window()) SendMessageW(fileTip_.Window(), TTM_POP, 0, 0);
    fileTip_.SetTipText(entry < 0 ? std::wstring() : EntryTip(entry));
}

// An entry's name; for a backup of a known profile, what is known of it after the name.
std::wstring RestorePanel::EntryTip(int entry) {
    std::wstring name = files_.Name(entry);
    if (!source_ || name.empty()) return name;
    return facts_.Tip(BackupFolderPath(*source_), name, source_->profileFolder);
}

// Just below the entry the tip names, or just above it where the screen ends, so that it never hides that entry.
void RestorePanel::PlaceFileTip() {
    const HWND list = GetDlgItem(window_, kFileList);
    RECT entry{}, tip{};
    if (SendMessageW(list, LB_GETITEMRECT, tipEntry_, reinterpret_cast<LPARAM>(&entry)) == LB_ERR) return;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&entry), 2);
    GetWindowRect(fileTip_.Window(), &tip);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&entry, MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG height = tip.bottom - tip.top;
    const LONG top = entry.bottom + height <= monitor.rcWork.bottom ? entry.bottom : entry.top - height;
    SetWindowPos(fileTip_.Window(), nullptr, tip.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    const std::wstring name = files_.SelectedName();
    Notice notice = RestoreFavorites(source_, name, facts_);
    if (notice.question) {
        // No leaves everything as it was; Yes restores the backup all the same.
        if (!ShowNotice(window_, notice)) return;
        notice = RestoreFavorites(source_, name, facts_, true);
    }
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
