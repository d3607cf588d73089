// The no-account window: the backup copies of the shared profile, with restore, undo and browser start.
#pragma once

#include "window/base_window.h"
#include "window/restore_panel.h"

class NoAccountWindow : public BaseWindow<NoAccountWindow> {
public:
    enum ControlId : int { kFolderLabel = 301, kInstructionsLabel };

    explicit NoAccountWindow(OpenWindows& openWindows) : BaseWindow(openWindows) {}

    // Creates the window, whose creation may show a message before the window is on screen, then shows it.
    bool Show();

private:
    friend class BaseWindow<NoAccountWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnLayout() { panel_.OnLayout(); }

    RestorePanel panel_;
};
