// The base of the program's top-level windows: one class registered per window kind, `this` kept with the window,
// every message handed to the derived class's HandleMessage, controls made from the window's table and laid out at
// its DPI, and the keyboard focus kept across activation.
#pragma once

#include "window/control_table.h"
#include "window/dpi.h"
#include "window/open_windows.h"
#include "window/window_design.h"

#include <windows.h>

#include <span>

// A button of a window and the member that handles its click.
template <class Window>
struct ClickHandler {
    int id;
    void (Window::*onClick)();
};

namespace window_detail {
bool RegisterWindowClass(const wchar_t* className, WNDPROC windowProc);
// The window's rectangle at `dpi`, centred on the screen.
RECT CenteredWindowRect(const WindowDesign& design, int dpi);
// The window's size at `dpi`, for Windows to place it at a DPI change.
SIZE WindowSizeAt(const WindowDesign& design, int dpi);
HWND FirstTabStop(HWND window);
bool IsPushButton(HWND window);
}  // namespace window_detail

template <class Derived>
class BaseWindow {
public:
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    explicit BaseWindow(OpenWindows& openWindows) : openWindows_(openWindows) {}
    ~BaseWindow() = default;

    // Creates the window hidden and centred on the screen, sized and laid out at its monitor's DPI. Its controls
    // exist before the derived class sees WM_CREATE, which fails the creation by returning -1.
    bool Create(const WindowDesign& design) {
        if (!window_detail::RegisterWindowClass(design.className, &WindowProc)) return false;
        design_ = &design;
        return CreateWindowExW(0, design.className, design.caption, design.style, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this) != nullptr;
    }

    // Creates the window as Create does and shows it; false when it could not be made.
    bool Open(const WindowDesign& design) {
        if (!Create(design)) return false;
        ShowNormal();
        return true;
    }

    void ShowNormal() {
        ShowWindow(hwnd_, SW_SHOWNORMAL);
        UpdateWindow(hwnd_);
    }

    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

    // The DPI the window is laid out at.
    int Dpi() const { return fonts_.Dpi(); }

    // Lays every control out from the table at `dpi`, at creation and whenever the DPI changes, then lets the
    // window fit what depends on the controls' sizes (its OnLayout).
    void LayOut(int dpi) {
        LayOutControls(hwnd_, design_->controls, fonts_, dpi);
        static_cast<Derived*>(this)->OnLayout();
    }
    void OnLayout() {}

    // Runs the handler of the button whose click this WM_COMMAND reports; false when none is listed for it.
    bool HandleClick(WPARAM wParam, std::span<const ClickHandler<Derived>> handlers) {
        if (HIWORD(wParam) != BN_CLICKED) return false;
        for (const ClickHandler<Derived>& handler : handlers) {
            if (handler.id == LOWORD(wParam)) {
                (static_cast<Derived*>(this)->*handler.onClick)();
                return true;
            }
        }
        return false;
    }

    // What every window does with a message it does not handle itself.
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_COMMAND:
                // Enter comes as IDOK, since no button is a default one: it presses the focused push button.
                if (LOWORD(wParam) == IDOK) {
                    const HWND focus = GetFocus();
                    if (window_detail::IsPushButton(focus) && IsChild(hwnd_, focus)) {
                        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                                     reinterpret_cast<LPARAM>(focus));
                        return 0;
                    }
                }
                break;
            case kGetDpiScaledSizeMessage: {
                // The size Windows then suggests at WM_DPICHANGED: the designed client area at the new DPI, with
                // the frame at that DPI, rather than the old size scaled.
                *reinterpret_cast<SIZE*>(lParam) = window_detail::WindowSizeAt(*design_, static_cast<int>(wParam));
                return TRUE;
            }
            case kDpiChangedMessage: {
                // Moved to a monitor of another scale, or its scale changed: the place Windows suggests, then
                // every control and font anew.
                const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                             suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
                LayOut(HIWORD(wParam));
                return 0;
            }
            case WM_ACTIVATE:
                if (LOWORD(wParam) == WA_INACTIVE) {
                    const HWND focus = GetFocus();
                    if (focus && IsChild(hwnd_, focus)) focus_ = focus;
                }
                break;
            case WM_SETFOCUS:
                if (!focus_ || !IsWindow(focus_)) {
                    focus_ =
                        design_->initialFocus ? Control(design_->initialFocus) : window_detail::FirstTabStop(hwnd_);
                }
                SetFocus(focus_);
                return 0;
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->openWindows_.Opened();
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_CREATE) {
            if (!CreateControls(hwnd, self->design_->controls)) return -1;
            const int dpi = WindowDpi(hwnd);
            const RECT rect = window_detail::CenteredWindowRect(*self->design_, dpi);
            SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            self->LayOut(dpi);
        }

        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->openWindows_.Closed();
        }
        return result;
    }

    OpenWindows& openWindows_;
    const WindowDesign* design_ = nullptr;
    ControlFonts fonts_;
    HWND focus_ = nullptr;
};
