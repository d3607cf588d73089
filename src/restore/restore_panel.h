// The part that both restore windows share: the backup-folder chooser, the file list bound to a backup source with
// a tip over its entries, and the restore, undo and browser-start buttons with their handlers. Each window places
// these controls in its own table, under the IDs here, and hands their commands to the panel.
#pragma once

#include "common/file_list.h"
#include "restore/backup_source.h"
#include "restore/facts_cache.h"
#include "tooltip/tooltip.h"

#include <windows.h>

#include <optional>

class RestorePanel {
public:
    enum ControlId : int { kFolderChooser = 401, kFileList, kRestoreButton, kUndoButton, kLaunchButton };

    // Whose backups the panel restores: the shared profile's, known from the start, or an account's, known only
    // once a search has found it.
    enum class Profile { Shared, Account };

    // Fills the chooser and shows the start folder in the file list, which has no source yet. The shared profile's
    // panel then chooses DailyBackup at once, which may tell the user that it is missing. False when the file
    // list's tip cannot follow the pointer.
    bool Attach(HWND window, Profile profile);
    // Removes the tip, which has no owner and would outlive the window.
    void Detach() { fileTip_.Destroy(); }
    // Makes the tip anew at the window's new scale.
    void OnLayout();

    // Runs the handler of the panel control that this WM_COMMAND comes from; false when it is none of the panel's.
    bool HandleCommand(WPARAM wParam);

    // Shows the source's backup folder in the file list, which restores from it from now on.
    void Bind(BackupSource source);

    // The backup folder the chooser names.
    BackupFolderKind ChosenFolder() const;
    // Where the file list's entries come from; none while it shows the start folder.
    const std::optional<BackupSource>& Source() const { return source_; }
    // What is known of the backups, shared with what else of the window tells of them.
    FactsCache& Facts() { return facts_; }

private:
    static LRESULT CALLBACK FileListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR panel);
    void OnFileListMouseMove(POINT point);
    void PlaceFileTip();
    std::wstring EntryTip(int entry);
    void OnFolderChosen();
    void OnRestore();
    void OnUndo();
    void OnLaunch();

    HWND window_ = nullptr;
    Profile profile_ = Profile::Shared;
    FileList files_;
    std::optional<BackupSource> source_;
    FactsCache facts_;
    CTooltip fileTip_;
    int tipEntry_ = -1;  // the entry the tip names; -1 for none
};
