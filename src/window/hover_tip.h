// The tip of a list's entries, one way for both lists that have one (the file list and the result list). It shows
// for the entry the pointer rests on, after the tooltip's usual pause, however the pointer got there: from the
// entry above, from outside the list, after the list changed under it. It names its entry by a key, never by a
// place in the list, and its text is updated in place when what it tells changes.
#pragma once

#include "window/tooltip.h"

#include <windows.h>

#include <functional>
#include <string>

class HoverTip {
public:
    struct Entries {
        // The key of the entry under a point of the list's client area; empty for none.
        std::function<std::wstring(POINT)> keyAt;
        // The tip's text for an entry: `fresh` where the entry has just come under the pointer or the list has
        // changed, so that what the text tells is to be found out anew.
        std::function<std::wstring(const std::wstring& key, bool fresh)> textOf;
        // Moves the tip as it shows; null leaves it where the tooltip puts it.
        std::function<void(HWND tip, const std::wstring& key)> place;
    };

    // Makes the tooltip, in `style` (CTooltip's) with `icon`, for the whole of `list`, whose pointer movement it
    // follows from now on. False when the list cannot be followed.
    bool Attach(HWND list, int style, int icon, Entries entries);
    // At a new DPI: the tooltip made anew in the new scale.
    void Remake();
    // The entries changed under a pointer that may rest on the list: the tip names what is there now.
    void Refresh();
    // What the tip tells of its entry changed: its text anew, in place.
    void Update();

    const std::wstring& Key() const { return key_; }

private:
    static LRESULT CALLBACK
    ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    bool Follow();
    void Point(POINT point);
    void Relay(POINT point);
    bool PointerOnList(POINT& point) const;

    HWND list_ = nullptr;
    CTooltip tip_;
    Entries entries_;
    std::wstring key_;  // the entry the tip names; empty for none
};
