#include "common/base_window.h"

#include "common/twips.h"

namespace form_detail {

bool RegisterFormClass(const wchar_t* className, WNDPROC windowProc) {
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

RECT CenteredWindowRect(const FormSpec& spec, int dpi) {
    const RECT rect = WindowRectAround(TwipsToPixels(spec.clientWidthTwips, dpi),
                                       TwipsToPixels(spec.clientHeightTwips, dpi), spec.style, dpi);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return {left, top, left + width, top + height};
}

HWND FirstTabStop(HWND window) { return GetNextDlgTabItem(window, nullptr, FALSE); }

bool IsPushButton(HWND window) {
    return window && (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON));
}

}  // namespace form_detail
