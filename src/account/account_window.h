// The account window: the account address leads to the account's backup folder, whose entries are listed with
// number, size and time; a copy chosen in the file list is restored into the account's profile.
#pragma once

#include "account/scan_rows.h"
#include "window/base_window.h"
#include "window/hover_tip.h"
#include "window/restore_panel.h"

#include <string>

class AccountWindow : public BaseWindow<AccountWindow> {
public:
    enum ControlId : int {
        kFindFrame = 201,
        kFolderLabel,
        kAddressLabel,
        kAddressBox,
        kFindButton,
        kResultsLabel,
        kResultList,
        kRestoreFrame,
        kInstructionsLabel
    };

    explicit AccountWindow(OpenWindows& openWindows) : BaseWindow(openWindows) {}

    // Creates the window and shows it; false when it or one of its controls could not be made.
    bool Show();

private:
    friend class BaseWindow<AccountWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void OnLayout();
    bool SetRowImages();
    void SizeColumns();
    void OnFind();
    void ListBackups();
    std::wstring RowKey(POINT point) const;
    std::wstring RowTip(const std::wstring& key, bool fresh);
    void OnResultListDisplayInfo(NMLVDISPINFOW& info);

    RestorePanel panel_;
    std::wstring listedAddress_;  // the account whose backups the lists show; empty before a search found one
    ScanRows rows_;               // what the list view shows; it formats only the rows it draws
    HoverTip rowTip_;             // the row under the pointer, by its folder and name, as a balloon
};
