// The program: its windows, from the main window to the one restore window the user chooses.
#pragma once

#include "account/form2.h"
#include "common/base_window.h"
#include "noaccount/form3.h"
#include "startup/form1.h"

#include <optional>

class Application {
public:
    // Runs the program to its end; returns the exit code.
    int Run();

    // Create, load and show a restore window. False when it could not be created.
    bool ShowAccountWindow();
    bool ShowNoAccountWindow();

private:
    OpenWindows openWindows_;
    Form1 form1_{openWindows_, *this};
    std::optional<Form2> form2_;
    std::optional<Form3> form3_;
};
