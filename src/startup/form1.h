// The main window: asks whether the user has a browser account and hands over to the matching restore window.
#pragma once

#include "common/base_window.h"

class Application;

class Form1 : public BaseWindow<Form1> {
public:
    enum ControlId : int { kCommand1 = 101, kCommand2 };

    Form1(OpenWindows& openWindows, Application& application)
        : BaseWindow(openWindows), application_(application) {}

    // Refuses to start while the browser runs (after telling the user); otherwise creates the window.
    bool Load();
    using BaseWindow::ShowNormal;

private:
    friend class BaseWindow<Form1>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    static const ClickHandler<Form1> kClickHandlers[];
    void Command1_Click();
    void Command2_Click();

    Application& application_;
    // Set from the first press of a button until its window is open: a press that the opening window's
    // message box lets through meanwhile must not open a second window.
    bool handingOver_ = false;
};
