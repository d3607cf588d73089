#include "window/base_window.h"

#include "window/twips.h"

namespace window_detail {

bool RegisterWindowClass(const wchar_t* className, WNDPROC windowProc) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, className, &existing)) return true;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    // The program's icon is resource 1.
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

SIZE WindowSizeAt(const WindowDesign& design, int dpi) {
    const RECT rect = WindowRectAround(TwipsToPixels(design.clientWidthTwips, dpi),
                                       TwipsToPixels(design.clientHeightTwips, dpi), design.style, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT CenteredWindowRect(const WindowDesign& design, int dpi) {
    const SIZE size = WindowSizeAt(design, dpi);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
    return {left, top, left + size.cx, top + size.cy};
}

HWND FirstTabStop(HWND window) {
    return GetNextDlgTabItem(window, nullptr, FALSE);
}

bool IsPushButton(HWND window) {
    return window && (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON));
}

}  // namespace window_detail
