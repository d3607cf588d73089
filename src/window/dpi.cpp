#include "window/dpi.h"

#include "win32/system_function.h"

namespace {

int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

// Windows 8.1 tells the DPI per monitor only, from its shell library, which is loaded for it once.
int MonitorDpi(HWND window) {
    static const HMODULE shellCore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    static const auto getDpiForMonitor =
        SystemFunction<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)>(shellCore, "GetDpiForMonitor");
    constexpr int kEffectiveDpi = 0;
    UINT dpiX = 0, dpiY = 0;
    if (!getDpiForMonitor ||
        FAILED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &dpiX, &dpiY))) {
        return 0;
    }
    return static_cast<int>(dpiY);
}

}  // namespace

// The per-DPI functions arrived with Windows 10; they are looked up so that the program still starts on Vista and 7,
// which draw every window at the system's DPI.
int WindowDpi(HWND window) {
    static const auto getDpiForWindow = SystemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    int dpi = 0;
    if (window && getDpiForWindow) {
        dpi = static_cast<int>(getDpiForWindow(window));
    } else if (window) {
        dpi = MonitorDpi(window);
    }
    return dpi > 0 ? dpi : SystemDpi();
}

int SystemMetricAtDpi(int index, int dpi) {
    static const auto getMetricForDpi =
        SystemFunction<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    return getMetricForDpi ? getMetricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

RECT WindowRectAround(int clientWidth, int clientHeight, DWORD style, int dpi) {
    static const auto adjustForDpi =
        SystemFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, 0, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, 0);
    }
    return rect;
}
