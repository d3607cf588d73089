// The account window: the account address leads to the account's backup folder, whose entries are listed
// with number, size and time; a copy chosen in the file list is restored into the account's profile.
#pragma once

#include "account/scan_row.h"
#include "common/base_window.h"
#include "common/file_list.h"
#include "tooltip/tooltip.h"

#include <commctrl.h>

#include <string>
#include <vector>

class Form2 : public BaseWindow<Form2> {
public:
    enum ControlId : int {
        kFrame1 = 201, kLabel1, kLabel2, kCombo1, kText1, kCommand1, kLabel3, kListView1,
        kFrame2, kFile1, kLabel4, kCommand2, kCommand4, kCommand3
    };

    explicit Form2(OpenWindows& openWindows) : BaseWindow(openWindows) {}

    // Creates the window and shows it; false when it or one of its controls could not be made.
    bool Show();

private:
    friend class BaseWindow<Form2>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR form);

    static const ClickHandler<Form2> kClickHandlers[];
    bool Form_Load();
    void OnLayout();
    void SizeColumns();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void ListView1_MouseMove(POINT point);
    int RowAt(POINT point) const;
    void ShowRowTip(int row);
    void File1_MouseMove(POINT point);
    void ListView1_GetDisplayInfo(NMLVDISPINFOW& info);

    FileList file1_;
    std::vector<ScanRow> rows_;       // what the list view shows; it formats only the rows it draws
    std::wstring displayText_;        // the text of the cell the list view asked for last
    CTooltip rowTooltip_;             // the name of the row under the pointer, as a balloon
    CTooltip fileTooltip_;            // the name of the file list's entry under the pointer
    int hoveredRow_ = 0;              // 1-based; 0 when the pointer was last over no row
};
