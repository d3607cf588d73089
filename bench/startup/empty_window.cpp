// A bare window made as the program makes its windows: the same build and manifest, the common controls started as
// the program starts them, the program's own window base, and its font, in which it measures its caption as the
// program measures its texts; a client area as large as the main window's, and nothing in it. The start-up and
// memory benchmarks measure the program against it. (Under Wine the font engine runs in each process, and a
// Chinese font takes some 9 MiB there the moment it measures its first Chinese letter; on Windows that is the
// system's, not the program's.)
#include "window/base_window.h"

#include <commctrl.h>

namespace {

constexpr WindowDesign kWindow{L"QuillbarrowEmptyWindow", L"空窗口 empty window", 3840, 2400, kFixedFrame, {}};

class EmptyWindow : public BaseWindow<EmptyWindow> {
public:
    explicit EmptyWindow(OpenWindows& openWindows) : BaseWindow(openWindows) {}
    bool Show() {
        if (!Open(kWindow)) return false;
        ControlFonts fonts(Dpi());
        const HDC dc = GetDC(hwnd_);
        SelectObject(dc, fonts.Get(kSimSun9));
        RECT caption{};
        DrawTextW(dc, kWindow.caption, -1, &caption, DT_CALCRECT | DT_SINGLELINE);
        ReleaseDC(hwnd_, dc);
        return true;
    }

private:
    friend class BaseWindow<EmptyWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefaultHandling(message, wParam, lParam);
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    OpenWindows openWindows;
    EmptyWindow window(openWindows);
    if (!window.Show()) return 1;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
