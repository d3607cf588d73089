// CTooltip: one tooltip control showing a single text for a whole window, optionally as a titled balloon.
#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

// Keeps the tip's settings; Create makes the tooltip window from them and Destroy removes it. Most setters only
// store their value for the next Create; the text, title, icon and colour setters also reach a live window at once.
// Failures are silent: a tooltip that cannot be made leaves the object without a window. The tooltip window is
// owned by the parent's top-level window, so it goes with that window at the latest, and with the object. It is
// neither copied nor moved, because the kept tool record points into the object's own text.
class CTooltip {
public:
    static constexpr int kBalloon = 1;  // the one Style value that asks for a balloon

    CTooltip();
    CTooltip(const CTooltip&) = delete;
    CTooltip& operator=(const CTooltip&) = delete;

    int Style() const { return style_; }
    void SetStyle(int style) { style_ = style; }

    bool Centered() const { return centered_; }
    void SetCentered(bool centered) { centered_ = centered; }

    // Replaces any tooltip window of this object by a new one whose single tool is the whole `parent` window.
    void Create(HWND parent);

    // Icon as the control codes it: TTI_NONE, TTI_INFO, TTI_WARNING or TTI_ERROR.
    int Icon() const { return icon_; }
    void SetIcon(int icon);

    COLORREF ForeColor() const { return foreColor_; }
    void SetForeColor(COLORREF color);

    const std::wstring& Title() const { return title_; }
    void SetTitle(std::wstring title);

    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF color);

    const std::wstring& TipText() const { return tipText_; }
    void SetTipText(std::wstring text);

    void Destroy() { window_.Reset(); }

    // Milliseconds the tip stays up, and the pointer's rest before it shows.
    int VisibleTime() const { return visibleTime_; }
    void SetVisibleTime(int milliseconds) { visibleTime_ = milliseconds; }
    int DelayTime() const { return delayTime_; }
    void SetDelayTime(int milliseconds) { delayTime_ = milliseconds; }

    // The tooltip window, or null when there is none.
    HWND Window() const { return window_.Get(); }

private:
    void SendTitle();
    void SendTitleIfComplete();

    COLORREF backColor_ = 0;
    std::wstring title_;
    COLORREF foreColor_ = 0;
    int icon_ = TTI_NONE;
    bool centered_ = false;
    int style_ = 0;
    std::wstring tipText_;
    int visibleTime_ = 5000;
    int delayTime_ = 500;
    UniqueWindow window_;
    TTTOOLINFOW tool_{};  // the one tool, kept so that a new text can name it again
};
