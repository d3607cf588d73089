// The no-account window: the backup copies of the shared profile, with restore, undo and browser start.
#pragma once

#include "common/base_window.h"
#include "common/file_list.h"

#include <string>

class Form3 : public BaseWindow<Form3> {
public:
    enum ControlId : int { kLabel1 = 301, kCombo1, kFile1, kLabel2, kCommand1, kCommand3, kCommand2 };

    explicit Form3(OpenWindows& openWindows) : BaseWindow(openWindows) {}

    // Creates the window, whose load may show a message before the window is on screen, then shows it.
    bool Show();

private:
    friend class BaseWindow<Form3>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    static const ClickHandler<Form3> kClickHandlers[];
    void Form_Load();
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    FileList file1_;
};
