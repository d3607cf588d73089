// The dots per inch a window is drawn at, on every Windows from Vista on.
#pragma once

#include <windows.h>

// Sent when a window moves to a monitor of another DPI, or that monitor's scale changes (Windows 8.1 and later), and
// just before, to ask the window for its size at the new DPI (Windows 10 1703 and later).
inline constexpr UINT kDpiChangedMessage = 0x02E0;
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// The DPI of the monitor a window is on: per window where Windows tells it so (10 and later), per monitor on 8.1,
// the system's on Vista to 8.
int WindowDpi(HWND window);

// A system metric (SM_CXVSCROLL, ...) at a DPI, where Windows gives it per DPI; at the system's DPI elsewhere.
int SystemMetricAtDpi(int index, int dpi);

// The window rectangle around a client area of this size, with the frame of `style` at `dpi`.
RECT WindowRectAround(int clientWidth, int clientHeight, DWORD style, int dpi);
