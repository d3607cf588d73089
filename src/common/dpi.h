// The dots per inch a window is drawn at, on every Windows from Vista on.
#pragma once

#include <windows.h>

// Sent when a window moves to a monitor of another DPI, or that monitor's scale changes (Windows 8.1 and later).
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The DPI of the monitor a window is on where Windows tells it per window (10 and later); the system's elsewhere.
int WindowDpi(HWND window);

// A system metric (SM_CXVSCROLL, ...) at a DPI, where Windows gives it per DPI; at the system's DPI elsewhere.
int SystemMetricAtDpi(int index, int dpi);

// The window rectangle around a client area of this size, with the frame of `style` at `dpi`.
RECT WindowRectAround(int clientWidth, int clientHeight, DWORD style, int dpi);
