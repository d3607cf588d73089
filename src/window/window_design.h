// What a top-level window is: its class, caption, client area in twips, frame and table of controls.
#pragma once

#include "window/control_table.h"

#include <windows.h>

#include <span>

struct WindowDesign {
    const wchar_t* className;
    const wchar_t* caption;
    int clientWidthTwips;
    int clientHeightTwips;
    DWORD style;
    std::span<const ControlDesign> controls;
    int initialFocus = 0;  // the control that has the focus when the window opens; 0: the first in tab order
};

inline constexpr DWORD kFixedFrame = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD kSizableFrame = WS_OVERLAPPEDWINDOW;
