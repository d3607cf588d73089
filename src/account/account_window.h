// The account window: the account address leads to the account's backup folder, whose entries are listed
// with number, size and time; a copy chosen in the file list is restored into the account's profile.
#pragma once

#include "account/scan_row.h"
#include "common/base_window.h"
#include "restore/restore_panel.h"
#include "tooltip/tooltip.h"

#include <commctrl.h>

#include <string>
#include <vector>

class AccountWindow : public BaseWindow<AccountWindow> {
public:
    enum ControlId : int {
        kFindFrame = 201, kFolderLabel, kAddressLabel, kAddressBox, kFindButton, kResultsLabel, kResultList,
        kRestoreFrame, kInstructionsLabel
    };

    explicit AccountWindow(OpenWindows& openWindows) : BaseWindow(openWindows) {}

    // Creates the window and shows it; false when it or one of its controls could not be made.
    bool Show();

private:
    friend class BaseWindow<AccountWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR form);

    bool OnCreate();
    void OnLayout();
    bool SetRowImage();
    void SizeColumns();
    void OnFind();
    void OnResultListMouseMove(POINT point);
    int RowAt(POINT point) const;
    void ShowRowTip(int row);
    std::wstring RowTip(std::size_t row);
    void OnResultListDisplayInfo(NMLVDISPINFOW& info);

    RestorePanel panel_;
    ScanRows rows_;                   // what the list view shows; it formats only the rows it draws
    CTooltip rowTooltip_;             // the name of the row under the pointer, as a balloon
    int hoveredRow_ = 0;              // 1-based; 0 when the pointer was last over no row
};
