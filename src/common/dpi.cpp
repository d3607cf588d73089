#include "common/dpi.h"

namespace {

// The per-DPI functions arrived with Windows 10; they are looked up so that the program still starts on
// Vista and 7, which draw every window at the system's DPI.
template <class Function>
Function UserFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int SystemMetricAtDpi(int index, int dpi) {
    static const auto getMetricForDpi = UserFunction<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    return getMetricForDpi ? getMetricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

RECT WindowRectAround(int clientWidth, int clientHeight, DWORD style, int dpi) {
    static const auto adjustForDpi =
        UserFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, 0, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, 0);
    }
    return rect;
}
