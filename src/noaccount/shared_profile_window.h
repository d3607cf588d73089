// The no-account window: the backup copies of the shared profile, with restore, undo and browser start.
#pragma once

#include "common/base_window.h"
#include "common/file_list.h"

#include <string>

class SharedProfileWindow : public BaseWindow<SharedProfileWindow> {
public:
    enum ControlId : int {
        kFolderLabel = 301, kFolderChooser, kFileList, kInstructionsLabel, kRestoreButton, kUndoButton, kLaunchButton
    };

    explicit SharedProfileWindow(OpenWindows& openWindows) : BaseWindow(openWindows) {}

    // Creates the window, whose load may show a message before the window is on screen, then shows it.
    bool Show();

private:
    friend class BaseWindow<SharedProfileWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    static const ClickHandler<SharedProfileWindow> kClickHandlers[];
    void OnCreate();
    void OnFolderChosen();
    void OnRestore();
    void OnLaunch();
    void OnUndo();

    FileList fileList_;
};
