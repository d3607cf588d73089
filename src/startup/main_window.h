// The main window: asks whether the user has a browser account and hands over to the matching restore window.
#pragma once

#include "window/base_window.h"

#include <functional>
#include <utility>

// The two restore windows the main window hands over to.
enum class RestoreWindow { Account, NoAccount };

class MainWindow : public BaseWindow<MainWindow> {
public:
    enum ControlId : int { kHaveAccountButton = 101, kNoAccountButton };

    // Opens a restore window; false when it could not be made.
    using OpenRestoreWindow = std::function<bool(RestoreWindow)>;

    MainWindow(OpenWindows& openWindows, OpenRestoreWindow openRestoreWindow)
        : BaseWindow(openWindows), openRestoreWindow_(std::move(openRestoreWindow)) {}

    // Refuses to start while the browser runs (after telling the user); otherwise creates the window.
    bool Load();
    using BaseWindow::ShowNormal;

private:
    friend class BaseWindow<MainWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    static const ClickHandler<MainWindow> kClickHandlers[];
    void OnHaveAccount();
    void OnNoAccount();

    OpenRestoreWindow openRestoreWindow_;
    // Set from the first press of a button until its window is open: a press that the opening window's
    // message box lets through meanwhile must not open a second window.
    bool handingOver_ = false;
};
