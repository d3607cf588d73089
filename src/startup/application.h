// The program: its windows, from the main window to the one restore window the user chooses.
#pragma once

#include "account/account_window.h"
#include "noaccount/no_account_window.h"
#include "startup/main_window.h"
#include "window/base_window.h"

#include <optional>

class Application {
public:
    // Runs the program to its end; returns the exit code.
    int Run();

private:
    // Creates, loads and shows a restore window. False when it could not be created.
    bool OpenRestoreWindow(RestoreWindow window);

    OpenWindows openWindows_;
    MainWindow mainWindow_{openWindows_, [this](RestoreWindow window) { return OpenRestoreWindow(window); }};
    std::optional<AccountWindow> accountWindow_;
    std::optional<NoAccountWindow> noAccountWindow_;
};
