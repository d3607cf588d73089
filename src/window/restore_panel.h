// The part both restore windows share: the folder chooser, the file list with its tip, and the restore, undo and
// browser-start buttons. Where the list's entries come from is a value the panel holds, a profile and one of its
// backup folders, set when the window knows them and never guessed from a folder's name: the list shows that folder
// and restore writes into that profile, so the two cannot disagree.
#pragma once

#include "messages/notice.h"
#include "profile/facts_worker.h"
#include "profile/profile.h"
#include "window/file_list.h"
#include "window/hover_tip.h"

#include <windows.h>

#include <functional>
#include <optional>

class RestorePanel {
public:
    enum ControlId : int { kFolderChooser = 401, kFileList, kRestoreButton, kUndoButton, kLaunchButton };

    // Posted to the panel's window when facts that a tip asked for are known; the window hands it to OnFactsReady.
    static constexpr UINT kFactsReadyMessage = WM_APP + 1;

    // The no-account window lists the shared profile from the start and at each choice of folder, and undoes on it
    // whatever the list shows; the account window lists a profile only once its search binds one.
    enum class Listing { SharedProfile, BySearch };

    RestorePanel();

    // Fills the chooser and shows the start folder in the file list, which lists no profile yet. The shared
    // profile's panel then chooses DailyBackup at once, which may tell the user that it is missing. False when the
    // file list's tip cannot follow the pointer.
    bool Attach(HWND window, Listing listing);
    // At the window's WM_DESTROY: the facts are no longer wanted.
    void Detach() { facts_.Stop(); }
    // At a new scale: the file list fitted anew, the tip made anew.
    void OnLayout();
    void OnFactsReady() { fileTip_.Update(); }

    // Runs the handler of the panel control that this WM_COMMAND comes from; false when it is none of the panel's.
    bool HandleCommand(WPARAM wParam);

    // Shows the profile's backup folder in the file list, which restores from it from now on.
    void Bind(Profile profile, BackupFolderKind folder);
    // The backup folder the chooser names; the folder the list shows.
    BackupFolderKind ChosenFolder() const;
    const std::wstring& ListedFolder() const { return files_.Folder(); }

    // A backup's tip: its name, then what is known of it where it belongs to the listed profile; `fresh` asks for
    // its facts anew, and until they are known the tip tells the name.
    std::wstring BackupTip(const std::wstring& folder, const std::wstring& name, bool fresh);

    // `refusal` is asked before each restore and undo, which it can refuse; `changed` is called after either has run
    // and told its outcome, since it may have changed what the window lists.
    void SetHooks(std::function<std::optional<Notice>()> refusal, std::function<void()> changed);

private:
    void OnFolderChosen();
    void OnRestore();
    void OnUndo();
    void OnLaunch();
    void AfterOperation(const Notice& notice);
    void SelectChooser(BackupFolderKind folder);
    void PlaceFileTip(HWND tip, const std::wstring& name);

    HWND window_ = nullptr;
    Listing listing_ = Listing::SharedProfile;
    FileList files_;
    std::optional<Profile> listed_;
    BackupFolderKind listedFolder_ = BackupFolderKind::DailyBackup;
    BackupFolderKind chosenBefore_ = BackupFolderKind::DailyBackup;
    FactsWorker facts_;
    HoverTip fileTip_;
    std::function<std::optional<Notice>()> refusal_;
    std::function<void()> changed_;
};
