#include "window/hover_tip.h"

#include "window/dpi.h"

#include <windowsx.h>

namespace {

// Lets a tooltip window break its text at line breaks, into lines as wide as a few dozen letters at its DPI.
void AllowTipLines(HWND tip) {
    if (tip) SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, MulDiv(480, WindowDpi(tip), USER_DEFAULT_SCREEN_DPI));
}

}  // namespace

bool HoverTip::Attach(HWND list, int style, int icon, Entries entries) {
    list_ = list;
    entries_ = std::move(entries);
    tip_.SetStyle(style);
    tip_.SetIcon(icon);
    tip_.Create(list_);
    AllowTipLines(tip_.Window());
    return Follow();
}

// The list's pointer movement comes here before it reaches the tooltip, which follows the same window: the newest
// subclass sees each message first, so this one is installed again whenever the tooltip is made anew.
bool HoverTip::Follow() {
    RemoveWindowSubclass(list_, ListProc, 0);
    return SetWindowSubclass(list_, ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void HoverTip::Remake() {
    if (!list_) return;
    tip_.Create(list_);
    AllowTipLines(tip_.Window());
    tip_.SetTipText(key_.empty() ? std::wstring() : entries_.textOf(key_, false));
    Follow();
}

// Hands the tooltip a move of the pointer to `point` (in the list's client area), as its own relay would, so that
// it counts its pause from now.
void HoverTip::Relay(POINT point) {
    MSG move{list_, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y), static_cast<DWORD>(GetMessageTime()), point};
    SendMessageW(tip_.Window(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

// Where the pointer rests, in the list's client area; false where it is not over the list.
bool HoverTip::PointerOnList(POINT& point) const {
    GetCursorPos(&point);
    const bool over = WindowFromPoint(point) == list_;
    ScreenToClient(list_, &point);
    return over;
}

// On another entry the old tip goes at once and the tooltip starts over, so that it counts its pause from this move,
// as when the pointer comes onto the list: a tooltip that showed for its one tool (the whole list) would otherwise not
// show again until the pointer left the list. The move is handed to it after the new text, whichever of the two
// subclasses sees the message first.
void HoverTip::Point(POINT point) {
    std::wstring key = entries_.keyAt(point);
    if (key == key_) return;
    key_ = std::move(key);
    const HWND tip = tip_.Window();
    SendMessageW(tip, TTM_ACTIVATE, FALSE, 0);
    tip_.SetTipText(key_.empty() ? std::wstring() : entries_.textOf(key_, true));
    SendMessageW(tip, TTM_ACTIVATE, TRUE, 0);
    Relay(point);
}

void HoverTip::Refresh() {
    if (!list_) return;
    POINT pointer{};
    const bool over = PointerOnList(pointer);
    key_ = L"\n";  // no entry's key: whatever is under the pointer now counts as another entry
    Point(over ? pointer : POINT{-1, -1});
}

// A tip that has gone meanwhile (its time up, or not shown yet) shows again where the pointer still rests: what it
// tells now is news.
void HoverTip::Update() {
    if (key_.empty()) return;
    tip_.SetTipText(entries_.textOf(key_, false));
    POINT pointer{};
    if (!IsWindowVisible(tip_.Window()) && PointerOnList(pointer)) Relay(pointer);
}

LRESULT CALLBACK HoverTip::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* tip = reinterpret_cast<HoverTip*>(self);
    switch (message) {
        case WM_MOUSEMOVE:
            tip->Point({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == TTN_SHOW && header->hwndFrom == tip->tip_.Window() && tip->entries_.place) {
                tip->entries_.place(header->hwndFrom, tip->key_);
                return TRUE;
            }
            break;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, ListProc, 0);
            tip->list_ = nullptr;
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}
